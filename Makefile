# SPDX-License-Identifier: GPL-3.0-or-later
# The README's two commands. Both install what is missing first.
BUILD ?= build
SANITIZED ?= build-sanitized
JOBS ?= $(shell nproc)
# The compiler cache keys on paths relative to the checkout, so a fresh clone
# elsewhere reuses what an earlier build of the same sources compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: deps configure build run test test-sanitized package clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program finds Coax.dta and the stacking pictures in its working directory.
run: build
	cd $(BUILD)/run && ../src/app/tavora

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
# any finding fails its test. Qt's own allocations that live until exit are
# not ours to free: tests/sanitizer/lsan.supp names them.
# GCC 12's runtime takes a dynamic TLS block (Qt's plugins have them) that
# happens to start 16 bytes into a page for an old glibc's header and reads a
# bogus range from before it; the leak check at exit then dies scanning it
# ("Tracer caught signal 11"). Not intercepting __tls_get_addr avoids that:
# those blocks are heap blocks the check scans all the same.
test-sanitized: deps
	cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVORA_SANITIZE=ON \
		-DTAVORA_BUILD_BENCH=OFF
	cmake --build $(SANITIZED) -j $(JOBS)
	cd $(SANITIZED) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# A quick Debian package, written into $(BUILD): tavora_<version>_<arch>.deb.
# Its files carry the last commit's time, so one commit packs into one set of
# bytes. The package for the archive is built by dpkg-buildpackage from debian/.
package: build
	SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(git log -1 --format=%ct)} \
		cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(SANITIZED)
