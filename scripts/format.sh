#!/usr/bin/env bash
# Formats the C++ sources with the tree's .clang-format; --check lists the files that differ
# instead (exit 1 when there are any). The bundled example files and test data are data, not
# sources; the Windows shell-extension sources keep the order of includes the platform's headers
# need. All three are left alone.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^src/shell_ext/windows/\|^tests/shell_ext/windows/\|^examples/\|^tests/data/')
if [ "${1:-}" = --check ]; then
    status=0
    for file in "${files[@]}"; do
        if ! clang-format "$file" | cmp -s - "$file"; then
            echo "$file"
            status=1
        fi
    done
    exit $status
fi
clang-format -i "${files[@]}"
