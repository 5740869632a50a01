#!/usr/bin/env bash
# Builds the program `kartello` with clang into ./build-clang (incremental, through ccache when
# it is installed), so that a change that only one compiler accepts is found before a
# sanitizer or fuzzing build needs it. Extra arguments go to cmake's configure step, e.g.
#   scripts/build-clang.sh -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined"
# The compiler: $CLANG / $CLANGXX, else clang-14 / clang++-14, else clang / clang++.
set -euo pipefail
cd "$(dirname "$0")/.."
pick() {
  for name in "$@"; do
    if command -v "$name" >/dev/null 2>&1; then echo "$name"; return 0; fi
  done
  echo "build-clang: none of $* is installed (scripts/install-deps.sh installs clang)" >&2
  return 1
}
cc=$(pick ${CLANG:-clang-14 clang})
cxx=$(pick ${CLANGXX:-clang++-14 clang++})
cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" -DKARTELLO_TESTS=OFF "$@" >/dev/null
cmake --build build-clang --parallel "$(nproc)" --target kartello
