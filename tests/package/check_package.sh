#!/usr/bin/env bash
# Checks the Debian package of this version, as a student would get it.
#
#   check_package.sh contents       'DIR/NAME_VERSION_*.deb' PATH...   every PATH is in the package
#   check_package.sh run            'DIR/NAME_VERSION_*.deb'           the packaged runner runs 10 days, also from a scenario
#   check_package.sh runner-version 'DIR/NAME_VERSION_*.deb' VERSION   newsvendor-run --version names VERSION
#   check_package.sh app-version    'DIR/NAME_VERSION_*.deb' VERSION   newsvendor --version names VERSION
#   check_package.sh lintian        'DIR/NAME_VERSION_*.deb'           lintian reports no error
#
# The programs run from the package extracted into a temporary folder: no
# root, nothing installed. Exit status 77 (a skip) when there is no package
# of this version: `scripts/dev package` makes it.
set -euo pipefail

check=$1
pattern=$2
shift 2

shopt -s nullglob
# The pattern is expanded here, not by CTest.
# shellcheck disable=SC2206
debs=($pattern)
if [ ${#debs[@]} -eq 0 ]; then
    echo "SKIP: no package $pattern (scripts/dev package makes it)"
    exit 77
fi
if [ ${#debs[@]} -gt 1 ]; then
    echo "FAIL: more than one package: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}
echo "checking $deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
extract() { dpkg-deb -x "$deb" "$root"; }

# Passes when the program ends at once and the first line it prints names the
# version (Qt may warn on standard error first: only standard output counts).
expect_version() {  # VERSION COMMAND...
    local version=$1 output status=0
    shift
    output=$(timeout 30 "$@" 2>"$root/stderr") || status=$?
    if [ "$status" -eq 124 ]; then
        echo "FAIL: $* still runs after 30 s"
    elif [ "$status" -ne 0 ]; then
        echo "FAIL: $* ended with status $status"
    # The version as a whole: 0.2.0 does not name 0.2 nor 10.2.0.
    elif ! head -n 1 <<<"$output" | grep -Eq -- "(^|[^0-9.])${version//./\\.}([^0-9.]|\$)"; then
        echo "FAIL: $* does not name version $version"
    else
        echo "PASS: $(head -n 1 <<<"$output")"
        return 0
    fi
    echo "standard output:"
    echo "$output"
    echo "standard error:"
    cat "$root/stderr"
    return 1
}

case $check in
    contents)
        listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
        missing=0
        for path in "$@"; do
            if ! grep -Fqx "./$path" <<<"$listing"; then
                echo "FAIL: ./$path is not in the package"
                missing=1
            fi
        done
        if [ "$missing" -ne 0 ]; then
            echo "The package holds:"
            echo "$listing"
            exit 1
        fi
        echo "PASS: all $# files are in the package" ;;
    run)
        extract
        output=$("$root/usr/bin/newsvendor-run" --runs 10 --freq 0.1,0.2,0.4,0.2,0.1 \
            --policy yesterday --seed 1 --format tsv)
        lines=$(wc -l <<<"$output")
        echo "$output"
        if [ "$lines" -ne 11 ]; then
            echo "FAIL: $lines lines, not a header and 10 days"
            exit 1
        fi
        echo "PASS: a header and 10 days"
        # A scenario as a teacher hands it out, with its seed: the same rows as
        # the same values given as options.
        scenario="$root/week.nvscenario"
        printf '%s' '{"format": "newsvendor-scenario", "format_version": 1, "runs": "10",
            "price": "4.60", "cost": "2.20", "frequencies": ["0.1", "0.2", "0.4", "0.2", "0.1"],
            "policy": "yesterday", "seed": 1}' >"$scenario"
        from_scenario=$("$root/usr/bin/newsvendor-run" --scenario "$scenario" --format tsv)
        if [ "$from_scenario" != "$output" ]; then
            echo "FAIL: the scenario's run differs from the same run given as options"
            exit 1
        fi
        echo "PASS: a scenario gives the same 10 days" ;;
    runner-version)
        extract
        expect_version "$1" "$root/usr/bin/newsvendor-run" --version ;;
    app-version)
        extract
        QT_QPA_PLATFORM=offscreen expect_version "$1" "$root/usr/bin/newsvendor" --version ;;
    lintian)
        # Errors fail the check; warnings and the rest are shown.
        lintian --fail-on error --display-info "$deb" ;;
    *)
        echo "unknown check $check" >&2
        exit 2 ;;
esac
