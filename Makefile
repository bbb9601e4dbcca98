# The two commands a new user needs: `make run` and `make test`.
# Both install what is missing (Debian packages), configure and build.
.PHONY: check-language run test test-asan bench fuzz deps build release install package clean web-build web dist bench-web

JOBS ?= 2

deps:
	@scripts/install-deps

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/fermat-lens

# The suites, then the browser edition built and checked against the native
# program: node's fermat-lab over random sessions; then what make dist writes,
# and the page in headless Chromium served from the site's zip unpacked (the
# very files a school's server gets); then the delivery sizes against their goals.
test: build
	ctest --preset dev
	@JOBS=$(JOBS) scripts/build-web
	scripts/test-web-agreement
	node web/dist.mjs
	node web/tools/unpack.mjs dist/fermat-lens-site.zip build/web/site-unpacked
	FERMAT_SITE=build/web/site-unpacked node web/tests/run.mjs
	node web/tools/sizes.mjs --check

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

bench: build
	./build/dev/bench/fermat_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

# The release build, for installing and packaging (warnings are not errors).
release: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)

# Installs the release build under PREFIX (as a user who may write there).
PREFIX ?= /usr/local
install: release
	cmake --install build/release --prefix $(PREFIX)

# A Debian package: build/release/fermat-lens_<version>_<arch>.deb.
package: release
	cd build/release && cpack -G DEB

# Each fuzzer for FUZZ_SECONDS, each with its own corpus folder (not one
# inside the other: libFuzzer reads a corpus folder's subfolders too).
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps --fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build/fuzz/corpus && cp -n fuzz/corpus/optics/* build/fuzz/corpus/ 2>/dev/null || true
	./build/fuzz/fuzz/optics_fuzz -max_total_time=$(FUZZ_SECONDS) build/fuzz/corpus fuzz/corpus/optics
	@mkdir -p build/fuzz/corpus-setup
	./build/fuzz/fuzz/setup_fuzz -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/setup.dict build/fuzz/corpus-setup fuzz/corpus/setup

# A translation's catalogue checked against the original: make check-language CODE=de
CODE ?= en
check-language: build
	./build/dev/fermat-lab --check-catalogue resources/i18n/$(CODE).json

# The browser edition in build/web: fermat-lab for node, the lab's WebAssembly
# module and the page (scripts/build-web).
web-build: deps
	@JOBS=$(JOBS) scripts/build-web

# What a teacher takes away, in dist/: fermat-lens.html (the whole page in one
# file, opens from a disk with no network), fermat-lens-scorm.zip (a SCORM 1.2
# package for a course platform) and fermat-lens-site.zip (the site for a
# web server). LESSON=KEY makes the package open that lesson
# (dist/fermat-lens-KEY-scorm.zip): make dist LESSON=lifeguard
LESSON ?=
dist: web-build
	node web/dist.mjs $(if $(LESSON),--lesson $(LESSON))
	@node web/tools/sizes.mjs | tail -n 1

# Delivery figures in headless Chromium with the CPU slowed four times (a
# school laptop): cold loads, a live drag step, a bundle continuation; sizes.
bench-web: dist
	node web/tools/delivery.mjs

# The page on http://localhost:$(PORT) (Ctrl+C stops it).
PORT ?= 8000
web: web-build
	python3 -m http.server --directory build/web/site $(PORT)

clean:
	rm -rf build
