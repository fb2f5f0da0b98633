#!/usr/bin/env bash
# Checks the CI workflows (.github/workflows) against the schema GitHub reads them with, so that a
# workflow GitHub would refuse fails here. The linter comes from the npm registry at the versions
# pinned in scripts/workflow-lint, installed in a folder of the build tree.
#
#   bash scripts/lint-workflows.sh             # lints every workflow (the test command does)
#   bash scripts/lint-workflows.sh --install   # installs the linter, when it is missing or its
#                                              # pins changed (scripts/setup.sh does)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pins=$root/scripts/workflow-lint
folder=$root/build/workflow-lint
linter=$folder/node_modules/.bin/action-validator

if [[ ${1:-} == --install ]]; then
    if ! cmp -s "$pins/package-lock.json" "$folder/package-lock.json" || [[ ! -x $linter ]]; then
        echo "setup: installing the workflows' linter into build/workflow-lint" >&2
        mkdir -p "$folder"
        cp "$pins/package.json" "$pins/package-lock.json" "$folder/"
        # From npm's cache where it holds them: the reproducibility check's fresh copies of the
        # project install it again.
        (cd "$folder" && npm ci --prefer-offline --no-audit --no-fund --loglevel=error) >&2
    fi
    exit 0
fi

status=0
for workflow in "$root"/.github/workflows/*.yml; do
    if "$linter" "$workflow"; then
        echo "lint-workflows: ${workflow#"$root"/}: valid"
    else
        echo "lint-workflows: FAIL: ${workflow#"$root"/}" >&2
        status=1
    fi
done
exit $status
