// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary number texts to every calculation a window or the command
// line runs, and fails on any result text holding INF or NAN: an overflow or
// invalid operation must end as the system's error, never as a number text.
// The texts are made of the characters of numbers only, so a letter in a
// result can only come from the program.
#include "arrays/gain.h"
#include "arrays/stacking.h"
#include "design/entry.h"
#include "design/report.h"
#include "exchange/mmana.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "exchange/yo_file.h"
#include "feedline/balun.h"
#include "feedline/impedance.h"
#include "feedline/swr.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tavora;

// Splits the input at line ends into texts of number characters (other bytes
// are mapped onto them), so a seed is a plain text file of one box per line.
class Texts {
public:
    Texts(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next text, or `fallback` once the input is used up.
    std::string Next(const char* fallback)
    {
        if (pos_ >= size_)
            return fallback;
        static constexpr std::string_view kChars = "0123456789.,e-+ ";
        std::string text;
        for (; pos_ < size_ && data_[pos_] != '\n'; ++pos_) {
            const char c = static_cast<char>(data_[pos_]);
            text += kChars.find(c) != std::string_view::npos ? c : kChars[data_[pos_] % kChars.size()];
        }
        ++pos_;
        return text;
    }
    int Choice(int count) { return static_cast<int>(Next("").size()) % count; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// INF or NAN in any case as a word of its own ("resonant" holds "nan").
void Check(const std::string& text, const char* where)
{
    for (size_t i = 0; i + 3 <= text.size(); ++i) {
        std::string word = text.substr(i, 3);
        for (char& c : word)
            c = static_cast<char>(c & ~0x20);
        const bool alone = (i == 0 || !IsLetter(text[i - 1])) &&
                           (i + 3 == text.size() || !IsLetter(text[i + 3]));
        if (alone && (word == "INF" || word == "NAN")) {
            std::fprintf(stderr, "%s wrote %s:\n%s\n", where, word.c_str(), text.c_str());
            std::abort();
        }
    }
}

// Runs one calculation: the errors are the expected refusals, the texts
// written before and after must hold numbers only.
template <class F>
void Run(F calculation)
{
    try {
        calculation();
    } catch (const Error&) {
    }
}

void Design(Texts& in, char sep)
{
    DesignEntry e = FormDefaults();
    for (std::string* box : {&e.Frequency, &e.Directors, &e.ElementDiam, &e.RadiatorWidth,
                             &e.BoomSection, &e.RadiatorDiam, &e.BendDiam, &e.FeedGap,
                             &e.RadiatorThick, &e.ElementWidth, &e.ElementThick})
        *box = in.Next(box->c_str());
    e.Boom = static_cast<BoomType>(in.Choice(2));
    e.ElementMounting = static_cast<Mounting>(in.Choice(3));
    e.ElementShape = static_cast<Shape>(in.Choice(3));
    e.RadiatorShape = static_cast<Shape>(in.Choice(3));
    e.DipoleMounting = static_cast<DipoleMount>(in.Choice(2));
    DesignState s;
    const int coax = in.Choice(kCoaxCount);
    const std::string vf = in.Next("0.66");
    std::string report;
    Run([&] {
        Check(NoteCoax(s, coax, vf, sep), "NoteCoax");
        YagiDoCalculate(e, s, sep);
        Yagidimensions(s, report, sep);
    });
    Check(report, "Yagidimensions");
    Run([&] { Check(BalunPrintTitle(s, sep), "BalunPrintTitle"); });
    Run([&] { Check(BalunSheetGeometry(4000, s, sep).lengthText, "BalunSheetGeometry"); });
    Run([&] { Check(YagTextFromDesign(s), "YagTextFromDesign"); });
    Run([&] {
        MaaOptions o;
        o.dipole = in.Choice(2);
        Check(MaaText(s, o), "MaaText");
    });
    Run([&] {
        const GuidelineLabels l = FillLabels(s, in.Next("400"), in.Choice(2), sep);
        Check(l.segment.text + l.wireDiam.text + l.segDiam.text, "FillLabels");
    });
}

void Arrays(Texts& in, char sep)
{
    DesignState s;
    const std::string freq = in.Next("144.1"), boom = in.Next("4000");
    for (const GainMethod m : {GainMethod::VK3AUU, GainMethod::WA2PHW, GainMethod::DJ9BV})
        Run([&] { Check(FindGain(s, freq, boom, m, sep), "FindGain"); });
    const std::string beamwidth = in.Next("30");
    for (const int plane : {0, 1}) {
        std::string memo;
        Run([&] { FindBeamGain(s, freq, beamwidth, plane, memo, sep); });
        Check(memo, "FindBeamGain");
    }
}

void Feedline(Texts& in, char sep)
{
    SwrSession session;
    session.mode = static_cast<MeasureMode>(in.Choice(4));
    session.cables = {"Cable     144MHZ=" + in.Next("1.5")};
    session.selectedCable = 0;
    session.band = 1;
    session.compensate = in.Choice(2) == 1;
    const std::string length = in.Next("20");
    Run([&] { Check(GetLoss(session, length, sep), "GetLoss"); });
    Run([&] { FindSWR(session, in.Next("4"), in.Next("100"), length, sep); });
    Check(session.memo + session.lossLabel + session.powerLine, "FindSWR");

    const std::string cross = in.Next("9.5"), spacing = in.Next("12.8"), z = in.Next("100");
    for (const RodUnknown u : {RodUnknown::Impedance, RodUnknown::CrossSection, RodUnknown::Spacing})
        for (const RodSection section : {RodSection::Round, RodSection::Square})
            Run([&] {
                const RodsResult r = CalculateRods(u, section, cross, spacing, z, sep);
                Check(r.unknownText + r.message, "CalculateRods");
            });
    QuarterWaveResult q;
    Run([&] {
        CalculateQuarterWave(in.Next("144.0"), in.Next("200"), in.Next("50"), in.Next("1.0"), q, sep);
    });
    Check(q.length + q.impedance, "CalculateQuarterWave");
}

void YoDetailsScreen(Texts& in, char sep)
{
    YoDetails screen;
    for (int n = 1; n <= 39; ++n)
        screen.Text(n) = in.Next("0");
    screen.Text(yo::kFreqSource) = std::to_string(in.Choice(4));
    screen.Text(yo::kMounting) = std::to_string(in.Choice(3));
    Run([&] {
        if (const auto m = CalcFfromRef(screen, sep))
            Check(m->text, "CalcFfromRef");
    });
    Run([&] { (void)ConvertChecks(screen.entries, sep); });
    YoEntryTexts converted = screen.entries;
    Run([&] { DoTheConversion(converted, static_cast<Mounting>(in.Choice(3)), sep); });
    for (const std::string& text : converted)
        Check(text, "DoTheConversion");
    DesignState s;
    Run([&] {
        if (!MakeMmana(screen.entries, s, sep))
            Check(MaaText(s, MaaOptions{}), "MakeMmana");
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first line picks the screen and the decimal separator, so each
    // screen's texts start near the front.
    Texts in(data, size);
    const int screen = in.Choice(8);
    const char sep = screen < 4 ? '.' : ',';
    void (*const screens[])(Texts&, char) = {Design, Arrays, Feedline, YoDetailsScreen};
    screens[screen % 4](in, sep);
    return 0;
}
