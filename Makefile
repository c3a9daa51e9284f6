# Tavik — the two commands of the README, and the longer runs.
#   make run    installs what is missing, builds, runs the main job
#   make test   installs what is missing, checks the formatting, builds (a warning is an error),
#               runs every test (non-zero on any failure)
#   make fuzz   runs every fuzz target for FUZZ_SECONDS (default 600) each
#   make bench  builds optimised and prints the benchmark figures
#   make package  builds the Debian package build/release/package/tavik_<version>_<arch>.deb

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

DEBIAN_PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev \
                   libbenchmark-dev clang libclang-rt-14-dev clang-format qt6-base-dev \
                   qt6-translations-l10n fonts-dejavu-core poppler-utils \
                   dpkg-dev desktop-file-utils appstream lintian shared-mime-info \
                   libglib2.0-bin
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 20

EXAMPLES := build/release/examples
UNDERTAKING := --kod JSK --nazwa "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA"

.PHONY: deps release run test test-unit fuzz-smoke fuzz bench examples screenshots format \
        format-check clean package test-package

# The sources: those git tracks, or in a tree without git (a tarball) every one of the source
# folders.
SOURCE_FOLDERS := model dictionary interchange document platform flatpaint forms shell cli tools \
                  tests fuzz bench
SOURCES = $$(if git rev-parse --is-inside-work-tree >/dev/null 2>&1; \
             then git ls-files '*.cpp' '*.h'; \
             else find $(SOURCE_FOLDERS) -name '*.cpp' -o -name '*.h'; fi)

deps:
	@missing=$$(for p in $(DEBIAN_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Instaluję brakujące pakiety: $$missing"; \
	    $(SUDO) apt-get update -q && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

build/%/build.ninja: | deps
	cmake --preset $* >/dev/null

release: build/release/build.ninja
	cmake --build build/release -j $(JOBS)

examples: release
	rm -rf $(EXAMPLES) && mkdir -p $(EXAMPLES)
	build/release/tools/samples/tavik-make-examples $(EXAMPLES)

DICTIONARY := build/release/Slowniki/slownik.dic

run: examples
	@build/release/cli/tavik-cli check $(DICTIONARY)
	@for f in $(EXAMPLES)/*.rpa; do build/release/cli/tavik-cli check $(UNDERTAKING) "$$f"; done
	@for f in $(EXAMPLES)/*.cia; do build/release/cli/tavik-cli check --slownik $(DICTIONARY) --kod JSK --dzial 2 "$$f"; done
	@for f in $(EXAMPLES)/*.coa; do build/release/cli/tavik-cli check --kod JSK "$$f"; done
	@# The program starts in the build tree, whose Slowniki/ holds the bundled dictionary.
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	    cd build/release && exec bin/Tavik; \
	else \
	    echo "Brak ekranu (DISPLAY): program uruchomisz poleceniem: cd build/release && bin/Tavik"; \
	fi

# The pictures of the README: the windows, and the first page of each example printed to PDF.
PRINTED := build/release/printed
screenshots: examples
	build/release/tools/screenshots/tavik-screenshots docs/screenshots
	@rm -rf $(PRINTED) && mkdir -p $(PRINTED)
	@for kind in wpis aktualizacja wykreslenie; do \
	    TAVIK_REGISTRY=$(PRINTED)/registry.json build/release/cli/tavik-cli print $(UNDERTAKING) \
	        --dzial "POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE" \
	        --miejsce Kraków --podpis "ANNA KOWALSKA" \
	        $(EXAMPLES)/przyklad-$$kind.rpa $(PRINTED)/$$kind.pdf; \
	    pdftoppm -r 60 -png -f 1 -l 1 -singlefile $(PRINTED)/$$kind.pdf docs/screenshots/wydruk-$$kind; \
	done
	@pdftoppm -r 60 -png -f 5 -l 5 -singlefile $(PRINTED)/wpis.pdf docs/screenshots/wydruk-wpis-arkusz-c

test: format-check test-unit fuzz-smoke test-package

test-unit: build/debug/build.ninja
	cmake --build build/debug -j $(JOBS)
	ctest --preset debug -j $(JOBS)

build/fuzz/corpus: build/fuzz/build.ninja
	cmake --build build/fuzz -j $(JOBS)
	build/fuzz/tools/samples/tavik-make-examples --fuzz-corpus build/fuzz/corpus
	mkdir -p build/fuzz/corpus/dictionary build/fuzz/corpus/registry
	cp build/fuzz/Slowniki/slownik.dic build/fuzz/corpus/dictionary/
	cp fuzz/seeds/registry/* build/fuzz/corpus/registry/
	mkdir -p build/fuzz/corpus/print
	cp data/htmlTemplates/*.htm build/fuzz/corpus/print/

fuzz-smoke: build/fuzz/corpus
	cmake --build build/fuzz -j $(JOBS)
	fuzz/run-all build/fuzz $(FUZZ_SMOKE_SECONDS)

fuzz: build/fuzz/corpus
	cmake --build build/fuzz -j $(JOBS)
	fuzz/run-all build/fuzz $(FUZZ_SECONDS)

# The Debian package, from the release tree: only what it installs is built.
package: build/release/build.ninja
	cmake --build build/release -j $(JOBS) --target tavik_installed
	rm -f build/release/package/tavik_*.deb
	cd build/release && cpack --config CPackConfig.cmake
	@ls build/release/package/tavik_*.deb

# The package unpacked and its programs run from there; lintian over it.
test-package: package
	cmake --build build/release -j $(JOBS) --target Tavik tavik-make-examples
	tests/package/check-package build/release/package/tavik_*.deb \
	    build/release/tools/samples/tavik-make-examples

bench: release
	build/release/bench/tavik-bench
	build/release/bench/tavik-bench-checks
	build/release/bench/tavik-bench-import
	build/release/bench/tavik-bench-responses
	build/release/bench/tavik-bench-warnings
	build/release/bench/tavik-bench-windows
	build/release/bench/tavik-bench-print

format: deps
	clang-format -i $(SOURCES)

# Fails on any source that differs from what .clang-format makes of it.
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

clean:
	rm -rf build
