#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the program or its tests does not
# keep the checked-in .clang-format. Build folders are not looked at.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find . \( -path './build*' -o -path './.git' \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print | sort)
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run clang-format -i on them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "${#files[@]} files formatted"
