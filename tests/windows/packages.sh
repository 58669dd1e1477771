#!/usr/bin/env bash
# What the Windows build hands out, checked on Linux:
# - logicus.exe: a 64-bit window program that needs nothing but Windows's own libraries, with the icon in every
#   size drawn, a Russian version resource and a manifest that declares Windows 10/11 and per-monitor DPI awareness;
# - the portable zip: that program and the two licences in one folder, nothing else;
# - the installer, under Wine on Xvfb: installs silently (/S) into Program Files with a Start-menu entry "Логикус";
#   the installed program starts; the uninstaller, silent too, removes every file and registry key it added.
#   bash packages.sh <logicus.exe>, with LOGICUS_WINE, LOGICUS_WINE_PREFIX and LOGICUS_PACKAGES (the folder of the
#   zip and the installer) in the environment.
source "$(dirname "$0")/../e2e/lib.sh"

VERSION=${LOGICUS_VERSION:?}
ZIP="$LOGICUS_PACKAGES/logicus-$VERSION-windows.zip"
SETUP="$LOGICUS_PACKAGES/logicus-$VERSION-setup.exe"
# The libraries every Windows 10 has; anything else would have to travel with the program.
SYSTEM_DLLS="advapi32 authz comdlg32 d3d9 d3d11 dwmapi dwrite dxgi gdi32 imm32 kernel32 mpr msvcrt netapi32 ntdll ole32
             oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool ws2_32 wtsapi32
             api-ms-win-core-synch-l1-2-0 api-ms-win-core-winrt-l1-1-0 api-ms-win-core-winrt-string-l1-1-0"

main() {
    [[ -f "$ZIP" && -f "$SETUP" ]] || fail "no packages in $LOGICUS_PACKAGES (run cpack first)"
    check_program
    check_zip
    make_shared_dir
    e2e_run_phase 1024x768x24 installer
}

# resource TYPE FILE: the program's resources of that type, as wrestool gives them.
resource() { wrestool -x --raw --type="$1" "$2"; }

check_program() {
    local kind dll
    kind=$(file -b "$E2E_APP")
    [[ $kind == *"PE32+ executable (GUI) x86-64"* ]] || fail "logicus.exe is \"$kind\""
    for dll in $(x86_64-w64-mingw32-objdump -p "$E2E_APP" | awk '/DLL Name:/ { print tolower($3) }'); do
        [[ " ${SYSTEM_DLLS//$'\n'/ } " == *" ${dll%.dll} "* ]] || fail "logicus.exe needs $dll, which Windows lacks"
    done
    # The icon group names one image per size drawn (7), and its images are the committed pictures.
    local entries
    entries=$(resource 14 "$E2E_APP" | od -An -tu2 -j4 -N2 | tr -d ' ')
    ((entries == 7)) || fail "the program's icon has $entries images, expected 7"
    # The version resource is UTF-16: its Russian description read as UTF-8.
    resource 16 "$E2E_APP" | iconv -f UTF-16LE -t UTF-8 -c | grep -aq "Логикус — тренажёр логических значений" ||
        fail "the version resource has no Russian description"
    resource 16 "$E2E_APP" | iconv -f UTF-16LE -t UTF-8 -c | grep -aq "ProductVersion.*$VERSION" ||
        fail "the version resource does not give version $VERSION"
    local manifest
    manifest=$(resource 24 "$E2E_APP")
    [[ $manifest == *"<dpiAwareness"*">PerMonitorV2<"* && $manifest == *"true/pm"* ]] ||
        fail "the manifest does not declare per-monitor DPI awareness"
    [[ $manifest == *"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"* ]] || fail "the manifest does not name Windows 10/11"
    note "logicus.exe: $(stat -c %s "$E2E_APP") bytes, Windows's own libraries only, icon, version, manifest"
}

check_zip() {
    local listed
    listed=$(unzip -Z1 "$ZIP" | sort | tr '\n' ' ')
    local folder="logicus-$VERSION-windows"
    [[ $listed == "$folder/ $folder/LICENSE-fonts.txt $folder/LICENSE.txt $folder/logicus.exe " ||
        $listed == "$folder/LICENSE-fonts.txt $folder/LICENSE.txt $folder/logicus.exe " ]] ||
        fail "the zip holds: $listed"
    note "zip: $listed"
}

# Every file and folder of the prefix's drive C, but for what Windows keeps changing by itself.
drive_c_files() {
    (cd "$PREFIX/drive_c" && find . | grep -v -e '^./users/[^/]*/Temp' -e '^./windows' | sort)
}

# The program's entry among those Windows offers to remove, named "Логикус": read from the registry's file once
# the Wine session has ended and written it (Wine's own console would print the name in its code page).
registered() {
    WINEPREFIX="$PREFIX" wineserver --wait 2>/dev/null || true
    grep -A 8 -F '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Logicus]' "$PREFIX/system.reg" |
        grep -qF '"DisplayName"="\x41b\x43e\x433\x438\x43a\x443\x441"'
}

installed_program_shown() { find_main_window || window_shown "О программе"; }

phase_installer() {
    PREFIX="$E2E_TMP/wine"
    cp -a "$LOGICUS_WINE_PREFIX" "$PREFIX"
    trap 'WINEPREFIX="$PREFIX" wineserver -k 2>/dev/null || true; e2e_cleanup' EXIT
    local wine=("$LOGICUS_WINE" "$PREFIX")
    drive_c_files >"$E2E_TMP/before"

    "${wine[@]}" "$SETUP" /S >"$E2E_TMP/setup.out" 2>&1 || fail "the installer ended with status $?"
    local dir="$PREFIX/drive_c/Program Files/Логикус"
    local menu="$PREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Логикус"
    local file
    for file in logicus.exe LICENSE.txt LICENSE-fonts.txt Uninstall.exe; do
        [[ -f "$dir/$file" ]] || fail "the installer put no $file into $dir"
    done
    cmp -s "$dir/logicus.exe" <(unzip -p "$ZIP" "logicus-$VERSION-windows/logicus.exe") ||
        fail "the installed program is not the zip's"
    [[ -f "$menu/Логикус.lnk" ]] || fail "no Start-menu entry \"Логикус\" ($(ls "$menu" 2>&1))"
    registered || fail "the program is not registered for removal as \"Логикус\""
    drive_c_files >"$E2E_TMP/installed"
    note "installed: $(comm -13 "$E2E_TMP/before" "$E2E_TMP/installed" | tr '\n' ' ')"

    APP_START=$EPOCHREALTIME
    "${wine[@]}" "C:\\Program Files\\Логикус\\logicus.exe" >"$E2E_TMP/app.out" 2>"$E2E_TMP/app.err" &
    APP_PID=$!
    wait_for 90 "the installed program shows its window" installed_program_shown
    note "the installed program started; its window after $(elapsed) s"
    kill "$APP_PID"
    wait_gone "$APP_PID" 10 || fail "the installed program did not end"
    APP_PID=

    # The uninstaller runs from a copy of itself in the temporary folder and returns at once.
    "${wine[@]}" "C:\\Program Files\\Логикус\\Uninstall.exe" /S >"$E2E_TMP/uninstall.out" 2>&1 ||
        fail "the uninstaller ended with status $?"
    wait_for 60 "the uninstaller removes the program's folder" bash -c "[[ ! -e '$dir' ]]"
    wait_for 10 "the uninstaller removes the Start-menu entry" bash -c "[[ ! -e '$menu' ]]"
    WINEPREFIX="$PREFIX" wineserver --wait 2>/dev/null || true
    drive_c_files >"$E2E_TMP/after"
    local left
    left=$(comm -13 "$E2E_TMP/before" "$E2E_TMP/after")
    [[ -z "$left" ]] || fail "left behind after the uninstall: $left"
    ! registered || fail "the uninstaller left the program's registration"
    note "uninstalled: nothing left of what was installed"
}

e2e_main
