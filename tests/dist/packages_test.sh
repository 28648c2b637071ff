#!/usr/bin/env bash
# Builds the Debian packages of this build tree into a temporary folder and
# looks inside them with dpkg-deb: names, version, computed dependencies,
# files and their owners, stripped binaries, copyright and changelog, and
# lintian's verdict where it is installed.
#   packages_test.sh CPACK BUILD_DIR VERSION WITH_WINDOW(0|1) LICENSE
set -uo pipefail
cpack=$1 build=$2 version=$3 window=$4 licence=$5
for tool in dpkg-deb dpkg-shlibdeps readelf; do
    if ! command -v $tool >/dev/null; then
        echo "SKIP: $tool is not installed (apt-get install dpkg-dev binutils)"
        exit 77
    fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$out/work" \
        -D CPACK_OUTPUT_FILE_PREFIX="$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "FAIL: cpack"
    exit 1
fi

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}
arch=$(dpkg --print-architecture)

# check_package NAME ALLOWED_DEPENDS REQUIRED_DEPENDS FORBIDDEN_PATH FILE...
# ALLOWED_DEPENDS is an extended regular expression for every dependency's
# package name; each of REQUIRED_DEPENDS (space-separated) must be there.
check_package()
{
    local name=$1 allowed=$2 required=$3 forbidden=$4
    shift 4
    local deb=$out/${name}_${version}_${arch}.deb
    if [[ ! -f $deb ]]; then
        fail "no $deb; cpack wrote: $(ls "$out")"
        return
    fi
    [[ $(dpkg-deb --field "$deb" Package) == "$name" ]] || fail "$deb: wrong Package"
    [[ $(dpkg-deb --field "$deb" Version) == "$version" ]] || fail "$deb: Version is not $version"
    [[ -n $(dpkg-deb --field "$deb" Maintainer) ]] || fail "$deb: no Maintainer"
    local depends dep
    depends=$(dpkg-deb --field "$deb" Depends)
    for dep in $(sed -E 's/\([^)]*\)//g; s/[,|]/ /g' <<<"$depends"); do
        [[ $dep =~ ^($allowed)$ ]] || fail "$name depends on $dep: $depends"
    done
    for dep in $required; do
        grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "$name does not depend on $dep: $depends"
    done

    local contents
    contents=$(dpkg-deb --contents "$deb")
    for file in "$@"; do
        grep -qE " \./usr/$file\$" <<<"$contents" || fail "$name lacks /usr/$file"
    done
    grep -qE " \./usr/$forbidden\$" <<<"$contents" && fail "$name holds /usr/$forbidden"
    grep -vqx 'root/root' < <(awk '{ print $2 }' <<<"$contents") && fail "$name has files not owned by root"
    awk '{ print $6 }' <<<"$contents" | grep -vE '^\./(usr/.*)?$' && fail "$name installs outside /usr"

    dpkg-deb -x "$deb" "$out/$name"
    # Here-strings rather than pipes into grep -q, which pipefail would
    # turn into a failure whenever grep leaves before the writer is done.
    grep -q '\.debug_info' <<<"$(readelf -S --wide "$out/$name/usr/bin/$name")" && fail "$name: binary not stripped"
    grep -qF "($version)" <<<"$(zcat "$out/$name/usr/share/doc/$name/changelog.gz" | sed -n 1p)" ||
        fail "$name: the changelog's first entry is not $version"
    grep -qF "$(sed -n '/^Permission/{p;q}' "$licence")" "$out/$name/usr/share/doc/$name/copyright" ||
        fail "$name: the copyright file lacks the licence"
}

runtime='libc6|libgcc-s1|libstdc\+\+6'
check_package tamarel-list "$runtime|libqt6core6(t64)?" "libqt6core6(t64)? libc6" bin/tamarel \
    bin/tamarel-list share/man/man1/tamarel-list.1.gz \
    share/bash-completion/completions/tamarel-list share/zsh/vendor-completions/_tamarel-list \
    share/fish/vendor_completions.d/tamarel-list.fish \
    share/doc/tamarel-list/copyright share/doc/tamarel-list/changelog.gz
if [[ $window == 1 ]]; then
    check_package tamarel "[a-z0-9.+-]+" \
        "libqt6widgets6(t64)? libqt6printsupport6(t64)? libqt6svg6 libudev1" bin/tamarel-list \
        bin/tamarel share/man/man1/tamarel.1.gz share/applications/tamarel.desktop \
        share/icons/hicolor/scalable/apps/tamarel.svg share/metainfo/org.example.Tamarel.metainfo.xml \
        share/doc/tamarel/copyright share/doc/tamarel/changelog.gz
elif ls "$out"/tamarel_*.deb >/dev/null 2>&1; then
    fail "a build without the window made a tamarel package"
fi

# Debian's own checks; info tags (hardening flags of a plain CMake build,
# the .comment section strip leaves) do not fail it.
if command -v lintian >/dev/null; then
    report=$(lintian --fail-on error,warning "$out"/*.deb 2>&1)
    status=$?
    grep -v 'running with root privileges' <<<"$report"
    ((status == 0)) || fail "lintian found errors or warnings"
else
    echo "NOTE: lintian is not installed, so it was not run (apt-get install lintian)"
fi

if ((failures)); then
    exit 1
fi
echo "packages look right: $(cd "$out" && ls ./*.deb | tr '\n' ' ')"
