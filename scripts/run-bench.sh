#!/usr/bin/env bash
# Runs the benchmarks; each prints its own table of figures and ratios.
set -euo pipefail
build=${1:-build}
"$build/bench/bench_clientlist"
"$build/bench/bench_workspace" "${@:2}"
