#!/usr/bin/env bash
# Builds the Debian package in build-package and checks it as a user would meet it: the control
# fields and dependencies, the exact file list, then, unpacked into a scratch root, both programs'
# versions, one analysis against its golden file, the menu entry, the icons and the man pages.
# Finally apt resolves the dependencies as on a fresh machine, in a dry run. Installs nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

fail()
{
    echo "check-package: $*" >&2
    exit 1
}

version=$(sed -n 's/^project(Quorlix VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version found in CMakeLists.txt"

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLIX_BUILD_TESTS=OFF \
    >/dev/null
cmake --build build-package -j "$(nproc)"
rm -f build-package/quorlix_*.deb
(cd build-package && cpack -G DEB >/dev/null)

debs=(build-package/quorlix_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single quorlix_*.deb"
deb=${debs[0]}
[ "$(basename "$deb")" = "quorlix_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "$deb: the file name does not carry version $version"

echo "check-package: control fields of $deb"
field()
{
    dpkg-deb --field "$deb" "$1"
}
[ "$(field Package)" = quorlix ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = devel ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
echo "  Depends: $depends"
# The window links Qt 6 Core, Gui (which also holds the xcb and offscreen platform plugins) and
# Widgets; its Chinese labels need a CJK font, which no Qt library pulls in, and Qt's own buttons
# and dialogs take their Chinese from the Qt translations.
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 "fonts-wqy-microhei | fonts-noto-cjk" \
    qt6-translations-l10n; do
    case ", $depends," in
    *", $needed "* | *", $needed,"*) ;;
    *) fail "Depends does not name '$needed'" ;;
    esac
done

echo "check-package: file list"
expected=$(
    cat <<'EOF'
./usr/bin/quorlix
./usr/bin/quorlix-cli
./usr/share/applications/quorlix.desktop
./usr/share/icons/hicolor/128x128/apps/quorlix.png
./usr/share/icons/hicolor/16x16/apps/quorlix.png
./usr/share/icons/hicolor/256x256/apps/quorlix.png
./usr/share/icons/hicolor/32x32/apps/quorlix.png
./usr/share/icons/hicolor/48x48/apps/quorlix.png
./usr/share/icons/hicolor/64x64/apps/quorlix.png
./usr/share/icons/hicolor/scalable/apps/quorlix.svg
./usr/share/man/man1/quorlix-cli.1.gz
./usr/share/man/man1/quorlix.1.gz
./usr/share/quorlix/translations/quorlix_en.qm
EOF
)
actual=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort <<<"$expected")" ]; then
    diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || true
    fail "the package's files differ from the expected list (< expected, > packaged)"
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
bin=$root/usr/bin
share=$root/usr/share

echo "check-package: installed programs"
for program in quorlix quorlix-cli; do
    if ldd "$bin/$program" | grep -q "not found"; then
        ldd "$bin/$program" >&2
        fail "$program: a shared library is missing"
    fi
done
[ "$("$bin/quorlix-cli" --version)" = "quorlix-cli $version" ] ||
    fail "quorlix-cli --version says '$("$bin/quorlix-cli" --version)'"
window_version=$(QT_QPA_PLATFORM=offscreen "$bin/quorlix" --version 2>/dev/null)
[ "$window_version" = "quorlix $version" ] || fail "quorlix --version says '$window_version'"
"$bin/quorlix-cli" analyse examples/mouse.txt >"$root/mouse-plain.txt"
cmp "$root/mouse-plain.txt" tests/data/cli/mouse-plain.txt ||
    fail "the installed quorlix-cli analyses the mouse differently from its golden file"
"$bin/quorlix-cli" layout - <examples/mouse.txt >"$root/mouse-layout.txt"
cmp "$root/mouse-layout.txt" tests/data/cli/mouse-layout.txt ||
    fail "the installed quorlix-cli lays out the mouse from standard input differently"

echo "check-package: the window's English translation"
qm=$share/quorlix/translations/quorlix_en.qm
# A compiled Qt translation starts with these 16 magic bytes.
[ "$(head -c 16 "$qm" | od -An -tx1 | tr -d ' \n')" = 3cb86418caef9c95cd211cbf60a1bddd ] ||
    fail "$qm is no compiled Qt translation"
# The installed window looks for it beside its prefix's share folder and says so on standard
# error when it finds none; it is stopped once it had time to start.
QT_QPA_PLATFORM=offscreen timeout 5 "$bin/quorlix" --lang en >/dev/null 2>"$root/lang.err" || true
if grep -q "no English translation" "$root/lang.err"; then
    fail "the installed quorlix does not find $qm"
fi

echo "check-package: menu entry and icons"
desktop=$share/applications/quorlix.desktop
desktop-file-validate "$desktop" || fail "quorlix.desktop does not validate"
for line in "Name=Quorlix" "Exec=quorlix %f" "Icon=quorlix" "Terminal=false" \
    "MimeType=text/plain;" "Categories=Development;Electronics;"; do
    grep -qxF "$line" "$desktop" || fail "quorlix.desktop lacks the line '$line'"
done
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/quorlix.png
    file --brief "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "$icon is not a $size by $size PNG: $(file --brief "$icon")"
done
file --brief "$share/icons/hicolor/scalable/apps/quorlix.svg" | grep -q "SVG" ||
    fail "the scalable icon is no SVG"

echo "check-package: man pages"
for page in quorlix quorlix-cli; do
    text=$root/$page.txt
    # Any warning from the formatter fails the check, so a broken macro cannot slip through.
    MANWIDTH=80 man --warnings -l -P cat "$share/man/man1/$page.1.gz" >"$text" 2>"$root/$page.err"
    [ ! -s "$root/$page.err" ] || fail "man $page: $(cat "$root/$page.err")"
    grep -Eq "^ *$page +- " "$text" || fail "man $page has no NAME line for $page"
    grep -q "Quorlix $version" "$text" || fail "man $page does not show version $version"
done
for command in analyse layout hexdump; do
    grep -q "^ *$command\b" "$root/quorlix-cli.txt" || fail "man quorlix-cli does not describe $command"
done

echo "check-package: apt resolves the dependencies on an empty Debian (dry run)"
# With an empty package status apt takes nothing as installed, so the dry run must find every
# dependency in the archive, as on a fresh machine. It needs the archive's package lists.
if ! compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
    apt-get update -qq
fi
: >"$root/empty-status"
apt-get install --simulate --no-install-recommends -o Dir::State::status="$root/empty-status" \
    "./$deb" >"$root/apt.txt" 2>&1 || {
    cat "$root/apt.txt" >&2
    fail "apt cannot install $deb on an empty system"
}
for package in quorlix libqt6widgets6 fonts-wqy-microhei; do
    grep -q "^Inst $package " "$root/apt.txt" || {
        cat "$root/apt.txt" >&2
        fail "apt's dry run does not install $package"
    }
done

echo "check-package: $deb is good (${SECONDS} s)"
