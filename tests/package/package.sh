#!/usr/bin/env bash
# The Debian package that CPack makes of this build tree: its control fields and file list, the installed files
# themselves (desktop entry, icons, AppStream metainfo, a stripped program), its dependencies resolving on this
# machine (`apt-get install --simulate`), and the program unpacked from it (`dpkg-deb -x`) starting under Xvfb with
# the machine's Qt: start-up screen, then the main window in the level prompt, its Qt plug-ins all from packages
# the package depends on.
#
#   bash package.sh <build tree's logicus>
# with PACKAGE_BUILD_DIR (the build folder, whose CPackConfig.cmake is used) and PACKAGE_SOURCE_DIR (for the
# committed icons) in the environment.
source "$(dirname "$0")/../e2e/lib.sh"
# Russian texts are compared and counted by character (grep -P's \p{Cyrillic}: this C.UTF-8 has no ranges of
# Cyrillic letters).
export LC_ALL=C.UTF-8
# A step that fails unexpectedly says which one, in functions too.
set -E
trap 'fail "unexpected failure at line $LINENO: $BASH_COMMAND"' ERR

main() {
    local tools=(cpack dpkg-deb dpkg-shlibdeps apt-get appstreamcli desktop-file-validate file readelf identify xprop
        lintian man)
    local tool
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (tools/bootstrap.sh installs it)"
    done
    PKG_TMP=$(mktemp -d "${TMPDIR:-/tmp}/logicus-package.XXXXXX")
    trap 'rm -rf "$PKG_TMP"' EXIT

    build_package
    check_control
    unpack
    check_file_list
    check_desktop_entry
    check_metainfo
    check_icons
    check_program_file
    check_documents
    check_lintian
    check_dependencies_resolve
    # The phase runs the unpacked program, and learns the package's dependencies and desktop entry from here.
    export PKG_DEPENDS_NAMES PKG_WM_CLASS
    E2E_APP="$ROOT/usr/bin/logicus" e2e_run_phase 1024x768x24 unpacked
}

build_package() {
    local log="$PKG_TMP/cpack.log"
    cpack --config "$PACKAGE_BUILD_DIR/CPackConfig.cmake" -B "$PKG_TMP/out" >"$log" 2>&1 ||
        fail "cpack failed: $(tail -n 20 "$log")"
    local debs=("$PKG_TMP"/out/*.deb)
    [[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
    DEB=${debs[0]}
    note "built $(basename "$DEB"), $(stat -c %s "$DEB") bytes"
}

field() { dpkg-deb -f "$DEB" "$1"; }

# Package names of a Depends-style line: alternatives split, versions and architectures dropped.
package_names() { tr ',|' '\n\n' <<<"$1" | sed -E 's/\(.*\)//; s/:.*//; s/^ +//; s/ +$//' | grep -v '^$' | sort -u; }

# owner_of PATH: the package that holds the file. With /usr merged, dpkg knows some files only under /lib and
# others only under /usr/lib, and a library by the name of its link or of its target: each is tried.
owner_of() {
    local path candidates=() found
    for path in "$1" "$(readlink -f "$1")"; do
        candidates+=("$path")
        case $path in
        /usr/lib/*) candidates+=("${path#/usr}") ;;
        /lib/*) candidates+=("/usr$path") ;;
        esac
    done
    for path in "${candidates[@]}"; do
        found=$(dpkg -S "$path" 2>/dev/null | grep -v '^diversion' | head -n 1) || true
        if [[ -n "$found" ]]; then
            echo "${found%%:*}"
            return 0
        fi
    done
}

check_control() {
    local arch
    arch=$(dpkg --print-architecture)
    [[ "$(field Package)" == logicus ]] || fail "Package is \"$(field Package)\""
    [[ "$(field Architecture)" == "$arch" ]] || fail "Architecture is \"$(field Architecture)\", expected $arch"
    [[ "$(field Section)" == education ]] || fail "Section is \"$(field Section)\""
    [[ "$(field Maintainer)" =~ ^[^\<\>]+\ \<[^@\ ]+@[^@\ ]+\>$ ]] ||
        fail "Maintainer \"$(field Maintainer)\" is not \"Name <address>\""
    VERSION=$(field Version)
    [[ "$(basename "$DEB")" == "logicus_${VERSION}_$arch.deb" ]] || fail "package file is named $(basename "$DEB")"
    [[ "$(field Installed-Size)" =~ ^[0-9]+$ ]] || fail "no Installed-Size"
    # A synopsis and an extended description of several lines.
    local description
    description=$(field Description)
    [[ -n "$(head -n 1 <<<"$description")" && $(wc -l <<<"$description") -ge 3 ]] ||
        fail "Description lacks a synopsis or an extended description: $description"
    local long
    long=$(dpkg-deb -f "$DEB" Description | grep -P '^.{81,}' || true)
    [[ -z "$long" ]] || fail "description lines longer than 80 characters: $long"
    DEPENDS=$(field Depends)
    [[ -n "$DEPENDS" ]] || fail "the package has no Depends"
    PKG_DEPENDS_NAMES=$(package_names "$DEPENDS" | tr '\n' ' ')
    note "Depends: $DEPENDS"
    note "Recommends: $(field Recommends)"
}

unpack() {
    ROOT="$PKG_TMP/root"
    mkdir -p "$ROOT"
    dpkg-deb -x "$DEB" "$ROOT" || fail "dpkg-deb -x failed"
}

# The committed icon sizes, from resources/pictures/icon-<size>.png.
icon_sizes() {
    local f
    for f in "$PACKAGE_SOURCE_DIR"/resources/pictures/icon-*.png; do
        f=${f##*/icon-}
        echo "${f%.png}"
    done | sort -n
}

check_file_list() {
    # The desktop entry names the other files, so it is found first: the one entry under applications/.
    local entries=("$ROOT"/usr/share/applications/*.desktop)
    [[ ${#entries[@]} -eq 1 && -f "${entries[0]}" ]] || fail "expected one desktop entry, found: ${entries[*]}"
    APP_ID=$(basename "${entries[0]}" .desktop)
    DESKTOP=${entries[0]}

    local expected=(
        ./usr/bin/logicus
        "./usr/share/applications/$APP_ID.desktop"
        "./usr/share/metainfo/$APP_ID.metainfo.xml"
        ./usr/share/doc/logicus/copyright
        ./usr/share/doc/logicus/changelog.gz
        ./usr/share/man/man6/logicus.6.gz
    )
    local size
    for size in $(icon_sizes); do
        expected+=("./usr/share/icons/hicolor/${size}x$size/apps/$APP_ID.png")
    done
    ((${#expected[@]} >= 4 + 4)) || fail "fewer than four committed icon sizes in resources/pictures"
    # Every file the package holds is one of these, and all of them are there: nothing stray, nothing missing.
    local listing files
    listing=$(dpkg-deb -c "$DEB")
    files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
    diff <(printf '%s\n' "${expected[@]}" | sort) <(echo "$files") >"$PKG_TMP/files.diff" ||
        fail "package files differ from the expected ones (< expected, > packaged): $(cat "$PKG_TMP/files.diff")"
    # Owned by root, the program executable by all, the rest readable by all and not executable.
    local bad
    bad=$(awk '$2 != "root/root" { print }' <<<"$listing")
    [[ -z "$bad" ]] || fail "files not owned by root: $bad"
    grep -qE '^-rwxr-xr-x .* \./usr/bin/logicus$' <<<"$listing" || fail "usr/bin/logicus is not 0755"
    bad=$(awk '$1 ~ /^-/ && $6 != "./usr/bin/logicus" && $1 != "-rw-r--r--" { print }' <<<"$listing")
    [[ -z "$bad" ]] || fail "data files with modes other than 0644: $bad"
    note "file list: ${#expected[@]} files as expected"
}

# desktop_key KEY: the value of KEY in the desktop entry's [Desktop Entry] group.
desktop_key() {
    awk -v key="$1" '/^\[/ { group = $0 } group == "[Desktop Entry]" && index($0, key "=") == 1 {
        print substr($0, length(key) + 2) }' "$DESKTOP"
}

# count_letters SCRIPT TEXT: how many letters of that Unicode script the text holds.
count_letters() { { grep -oP "\\p{$1}" <<<"$2" || true; } | wc -l; }

check_desktop_entry() {
    local report
    report=$(desktop-file-validate "$DESKTOP" 2>&1) || fail "desktop-file-validate: $report"
    [[ -z "$report" ]] || fail "desktop-file-validate warns: $report"
    [[ "$(desktop_key Type)" == Application ]] || fail "Type is \"$(desktop_key Type)\""
    [[ "$(desktop_key Name)" == "Логикус" ]] || fail "Name is \"$(desktop_key Name)\""
    # The comment speaks Russian: mostly Cyrillic letters.
    local comment cyrillic latin
    comment=$(desktop_key Comment)
    cyrillic=$(count_letters Cyrillic "$comment")
    latin=$(count_letters Latin "$comment")
    ((cyrillic >= 20 && latin == 0)) || fail "Comment is not Russian: \"$comment\""
    [[ ";$(desktop_key Categories)" == *";Education;"* ]] || fail "Categories lack Education: $(desktop_key Categories)"
    [[ "$(desktop_key Terminal)" == false ]] || fail "Terminal is \"$(desktop_key Terminal)\""
    # Exec starts the packaged program through the PATH, with no arguments: the program takes none.
    [[ "$(desktop_key Exec)" == logicus ]] || fail "Exec is \"$(desktop_key Exec)\""
    [[ "$(desktop_key Icon)" == "$APP_ID" ]] || fail "Icon is \"$(desktop_key Icon)\", expected $APP_ID"
    PKG_WM_CLASS=$(desktop_key StartupWMClass)
    [[ -n "$PKG_WM_CLASS" ]] || fail "no StartupWMClass"
    note "desktop entry $APP_ID.desktop valid"
}

# xml_text PATH / xml_attribute PATH NAME: the text or an attribute of each of the metainfo's elements on the
# path (ElementTree's subset of XPath, from the component), one a line.
xml_text() { xml_query "$1" ""; }
xml_attribute() { xml_query "$1" "$2"; }
xml_query() {
    /usr/bin/python3 - "$METAINFO" "$1" "$2" <<'PY'
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
for node in root.findall(sys.argv[2]):
    print(node.get(sys.argv[3], "") if sys.argv[3] else " ".join((node.text or "").split()))
PY
}

check_metainfo() {
    METAINFO="$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml"
    local report
    # Strict: any issue above the pedantic fails, except the two capitalisation hints that this validator gives
    # for every text that begins with a Cyrillic capital.
    # This validator (Debian 12's) does not know <developer> yet, and says so; that one line is let through.
    report=$(appstreamcli validate --no-net --strict \
        --override=summary-first-word-not-capitalized=pedantic,description-first-word-not-capitalized=pedantic \
        "$METAINFO" 2>&1) ||
        ! grep -vE '^$|^I: [^ ]+ unknown-tag developer$|^✘ Validation failed: infos: 1, pedantic' <<<"$report" ||
        fail "appstreamcli validate: $report"
    [[ "$(xml_text project_license)" == "GPL-3.0-or-later AND OFL-1.1" ]] ||
        fail "metainfo project_license is \"$(xml_text project_license)\""
    [[ "$(xml_text developer/name)" == "Логикус" ]] || fail "metainfo developer is \"$(xml_text developer/name)\""
    [[ "$(xml_attribute . type)" == desktop-application ]] || fail "component type is \"$(xml_attribute . type)\""
    [[ "$(xml_text id)" == "$APP_ID" ]] || fail "metainfo id \"$(xml_text id)\" is not the desktop entry's $APP_ID"
    [[ "$(xml_text name)" == "Логикус" ]] || fail "metainfo name is \"$(xml_text name)\""
    grep -qP '^\p{Cyrillic}+ ' <<<"$(xml_text summary)" || fail "metainfo summary is not Russian: $(xml_text summary)"
    [[ $(xml_text 'description/p' | wc -l) -ge 2 ]] || fail "metainfo description has fewer than two paragraphs"
    [[ "$(xml_text "launchable[@type='desktop-id']")" == "$APP_ID.desktop" ]] ||
        fail "metainfo launchable is \"$(xml_text "launchable[@type='desktop-id']")\""
    [[ "$(xml_text "icon[@type='stock']")" == "$(desktop_key Icon)" ]] || fail "metainfo icon differs from Icon"
    [[ "$(xml_text 'provides/binary')" == "$(desktop_key Exec)" ]] || fail "metainfo binary differs from Exec"
    [[ "$(xml_attribute 'releases/release' version | head -n 1)" == "$VERSION" ]] ||
        fail "metainfo's newest release is $(xml_attribute 'releases/release' version | head -n 1), the package $VERSION"
    [[ "$(xml_attribute content_rating type)" == oars-1.1 ]] || fail "no OARS content rating"
    note "metainfo valid"
}

check_icons() {
    local size icon
    for size in $(icon_sizes); do
        icon="$ROOT/usr/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
        [[ "$(identify -format '%wx%h' "$icon")" == "${size}x$size" ]] ||
            fail "the ${size}x$size icon is $(identify -format '%wx%h' "$icon")"
        cmp -s "$icon" "$PACKAGE_SOURCE_DIR/resources/pictures/icon-$size.png" ||
            fail "the ${size}x$size icon is not the committed icon-$size.png"
    done
    note "icons: $(icon_sizes | tr '\n' ' ')"
}

check_program_file() {
    local program="$ROOT/usr/bin/logicus" description
    description=$(file -b "$program")
    [[ "$description" == *ELF* && "$description" == *", stripped"* ]] ||
        fail "the packaged program is not a stripped executable: $description"
    # The about window's version is the package's: its text is stored as UTF-16 in the program.
    /usr/bin/python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' \
        "$program" "Версия $VERSION" || fail "the program does not say \"Версия $VERSION\""
    # Every library the program links comes from a package it depends on.
    local lib path owner
    for lib in $(readelf -d "$program" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p'); do
        # awk reads to the end: leaving early would end ldconfig by SIGPIPE and fail the pipeline.
        path=$(ldconfig -p | awk -v lib="$lib" '$1 == lib && !found { print $NF; found = 1 }')
        [[ -n "$path" ]] || fail "$lib, which the program needs, is not on this machine"
        owner=$(owner_of "$path")
        [[ -n "$owner" ]] || fail "no package owns $path"
        [[ " $PKG_DEPENDS_NAMES " == *" $owner "* ]] || fail "$lib comes from $owner, which is not in Depends"
    done
    note "program stripped, version $VERSION, every linked library's package in Depends"
}

# The copyright file (machine-readable: the program's licence, and the fonts' with its whole text), the changelog
# of this release and the Russian manual page, both compressed without a time stamp.
check_documents() {
    local doc="$ROOT/usr/share/doc/logicus" copyright
    copyright=$(cat "$doc/copyright")
    [[ "$(head -n 1 <<<"$copyright")" == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
        fail "the copyright file is not in the machine-readable format"
    local paragraph
    for paragraph in 'Files: \*\nCopyright: [^\n]+\nLicense: GPL-3.0-or-later\n' \
        'Files: resources/fonts/\*\nCopyright:\n( [^\n]+\n)+License: OFL-1.1\n'; do
        grep -qzP "$paragraph" <<<"$copyright" || fail "the copyright file lacks the paragraph /$paragraph/"
    done
    grep -q 'SIL OPEN FONT LICENSE Version 1.1' <<<"$copyright" || fail "the copyright file lacks the fonts' licence"
    grep -q '/usr/share/common-licenses/GPL-3' <<<"$copyright" && [[ -f /usr/share/common-licenses/GPL-3 ]] ||
        fail "the copyright file does not point to the GPL's text"
    local file
    for file in "$doc/changelog.gz" "$ROOT/usr/share/man/man6/logicus.6.gz"; do
        gzip -t "$file" || fail "$file is not gzip"
        [[ "$(od -An -tx1 -j4 -N4 "$file" | tr -d ' ')" == 00000000 ]] || fail "$file carries a time stamp"
    done
    [[ "$(zcat "$doc/changelog.gz" | head -n 1)" == "logicus ($VERSION) "* ]] ||
        fail "the changelog's newest entry is not $VERSION: $(zcat "$doc/changelog.gz" | head -n 1)"
    local page warnings
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$ROOT/usr/share/man/man6/logicus.6.gz" 2>&1 >"$PKG_TMP/man.txt") ||
        fail "man -l failed: $warnings"
    [[ -z "$warnings" ]] || fail "man -l warns: $warnings"
    page=$(cat "$PKG_TMP/man.txt")
    for word in КЛАВИШИ ОКРУЖЕНИЕ ФАЙЛЫ F1 Escape "Логикус $VERSION" "~/.config/pulse/cookie"; do
        grep -qF "$word" <<<"$page" || fail "the manual page lacks \"$word\""
    done
    note "copyright (GPL-3.0-or-later, fonts OFL-1.1), changelog $VERSION and manual page in place"
}

# Debian's own checker, at its default settings: no error and no warning.
check_lintian() {
    local out
    out=$(lintian "$DEB" 2>&1) || true
    ! grep -E '^[EW]: ' <<<"$out" || fail "lintian: $out"
    note "lintian: ${out:-no findings}"
}

check_dependencies_resolve() {
    local out status=0
    # Recommended packages included, as apt installs them by default.
    out=$(apt-get install --simulate "$DEB" 2>&1) || status=$?
    ((status == 0)) || fail "apt-get install --simulate failed ($status): $(tail -n 15 <<<"$out")"
    grep -qE '^Inst logicus ' <<<"$out" || fail "apt-get would not install logicus: $(tail -n 15 <<<"$out")"
    ! grep -qE '^Remv ' <<<"$out" || fail "installing would remove packages: $(grep -E '^Remv ' <<<"$out")"
    note "apt-get resolves the dependencies: $(grep -cE '^Inst ' <<<"$out") package(s) to install"
}


phase_unpacked() {
    # The machine's Qt, found the way an installed program finds it.
    unset QT_QPA_PLATFORM QT_PLUGIN_PATH QT_QPA_PLATFORM_PLUGIN_PATH LD_LIBRARY_PATH
    start_app
    wait_for 30 "start-up screen \"О программе\" is shown" window_shown "О программе"
    note "start-up screen shown after $(elapsed) s"
    [[ "$(readlink -f "/proc/$APP_PID/exe")" == "$E2E_APP" ]] || fail "the running program is not the unpacked one"
    wait_for 30 "start-up screen closes by itself" window_gone "О программе"
    app_alive || fail "program ended ($(how_it_ended)) with the start-up screen"
    locate_main_window 10
    wait_for 10 "level prompt is drawn" three_buttons_drawn level-prompt
    note "main window \"Логикус\" in the level prompt after $(elapsed) s"

    # The desktop entry's StartupWMClass is the class of the program's windows.
    local class
    class=$(xprop -id "$WIN" WM_CLASS)
    [[ "$class" == *"\"$PKG_WM_CLASS\""* ]] || fail "StartupWMClass $PKG_WM_CLASS is not in the window's $class"

    # The platform and sound plug-ins it has loaded come from packages the .deb depends on.
    local plugins plugin owner
    plugins=$({ grep -oE '/[^ ]*/qt6/plugins/(platforms|multimedia)/[^ ]*\.so' "/proc/$APP_PID/maps" || true; } |
        sort -u)
    grep -q '/platforms/libqxcb\.so$' <<<"$plugins" || fail "the X11 platform plug-in is not loaded: $plugins"
    for plugin in $plugins; do
        owner=$(owner_of "$plugin")
        [[ -n "$owner" ]] || fail "no package owns $plugin"
        [[ " $PKG_DEPENDS_NAMES " == *" $owner "* ]] || fail "$plugin comes from $owner, which is not in Depends"
        note "plug-in $(basename "$plugin") from $owner"
    done
}

e2e_main
