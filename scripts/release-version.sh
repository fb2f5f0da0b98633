# Sourced by the release scripts and checks: the release's version as module/resources/version.h
# gives it, DIVAZIVIR_VERSION ("1.03e") in `version` and DIVAZIVIR_VERSION_NUMBERS as the dotted
# file version ("1.3.5.0") in `file_version`.
version_header=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/module/resources/version.h
version=$(sed -n 's/^#define DIVAZIVIR_VERSION "\(.*\)"$/\1/p' "$version_header")
file_version=$(sed -n 's/^#define DIVAZIVIR_VERSION_NUMBERS //p' "$version_header" | tr -d ' ' | tr , .)
if [[ -z $version || -z $file_version ]]; then
    echo "no DIVAZIVIR_VERSION or DIVAZIVIR_VERSION_NUMBERS in $version_header" >&2
    exit 1
fi
