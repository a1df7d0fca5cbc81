// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tavora::app {

struct AppContext;

// The description prompt of both .yag writers: beeps and asks, pre-filled
// with the last description; on OK keeps the text, which pre-fills the next
// prompt even when the save is then cancelled. False when cancelled.
bool AskYagiDescription(QWidget* parent, AppContext& context);

} // namespace tavora::app
