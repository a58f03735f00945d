#!/usr/bin/env bash
# Checks that every .h/.cpp of engine, store, ui, app, tests, bench and fuzz is laid out
# as .clang-format says, with clang-format 14 (Debian 12's clang-format-14); other
# versions lay out some lines differently. Lists the files that differ and fails.
#   scripts/check-format.sh          check only
#   scripts/check-format.sh --fix    format those files in place
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
case "${1:-}" in
    "") ;;
    --fix) fix=1 ;;
    *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

tool=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z "$tool" ]]; then
    echo "clang-format 14 is not installed (Debian: apt-get install clang-format-14)" >&2
    exit 2
fi
if ! "$tool" --version | grep -q 'version 14\.'; then
    echo "$tool is not version 14: $("$tool" --version)" >&2
    exit 2
fi

mapfile -t files < <(find engine store ui app tests bench fuzz -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [[ $fix -eq 1 ]]; then
    "$tool" -i "${files[@]}"
    exit 0
fi

bad=()
for f in "${files[@]}"; do
    "$tool" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [[ ${#bad[@]} -gt 0 ]]; then
    echo "Not formatted as .clang-format says (fix with scripts/check-format.sh --fix):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "clang-format: ${#files[@]} files checked, all formatted."
