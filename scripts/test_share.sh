#!/bin/sh
# The test share: lines of C++ in any tests/ folder or *_test.cpp file against the lines of
# every other tracked .cpp and .h (fuzz targets count as code). The project aims at a
# quarter to a third.
set -e
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 wc -l | awk '
  $2 == "total" { next }
  $2 ~ /(^|\/)tests\// || $2 ~ /_test\.cpp$/ { tests += $1; next }
  { other += $1 }
  END { printf "test lines  %d\nother lines %d\nratio       %.3f\n", tests, other, tests / other }'
