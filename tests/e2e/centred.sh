#!/usr/bin/env bash
# Where the windows stand, frame included, as the screen shows them: the main window centred on the 1024×768
# desktop, the start-up screen and the first message (a wrong answer) centred over the main window, the message
# at most 800 pixels wide outside. Once on a bare X server, where there is no frame and every place is exact,
# once under openbox with its usual thin frame, and once under openbox with borders 48 pixels wide, which take
# the widest message of a game (the "?" explanation, 708 pixels inside) past 800 pixels outside, so that its
# width must be cut to fit. A window manager draws the frame only when it maps the window, so the program must
# have asked for it before.
source "$(dirname "$0")/lib.sh"

ABOUT="О программе"
WRONG="Неверно!"

main() {
    e2e_run_phase 1024x768x24 bare
    e2e_run_phase 1024x768x24 openbox
    e2e_run_phase 1024x768x24 thick_frame
}

phase_bare() {
    TOLERANCE=0
    play
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_openbox [CONFIG]: openbox with its own configuration or the system's.
start_openbox() {
    openbox ${1:+--config-file "$1"} >"$E2E_TMP/openbox.log" 2>&1 &
    e2e_track $!
    wait_for 10 "openbox manages the screen" wm_running
}

phase_openbox() {
    TOLERANCE=1
    start_openbox
    play
}

phase_thick_frame() {
    TOLERANCE=1
    local theme=/usr/share/themes/Clearlooks/openbox-3/themerc
    [[ -f "$theme" ]] || fail "no openbox theme at $theme"
    mkdir -p "$HOME/.themes/Thick/openbox-3"
    sed 's/^border\.width:.*/border.width: 48/' "$theme" >"$HOME/.themes/Thick/openbox-3/themerc"
    sed 's|<name>[^<]*</name>|<name>Thick</name>|' /etc/xdg/openbox/rc.xml >"$E2E_TMP/rc.xml"
    grep -q '<name>Thick</name>' "$E2E_TMP/rc.xml" || fail "openbox's rc.xml names no theme to replace"
    start_openbox "$E2E_TMP/rc.xml"
    CUT_TO_FIT=1
    play
}

# outer_rect ID: sets OX OY OW OH to the rectangle the window ID takes on the screen: the window manager's frame
# window that holds it, its border included, or the window itself where nothing holds it.
outer_rect() {
    local id=$1 info parent root BW=0
    while true; do
        info=$(xwininfo -tree -id "$id" 2>/dev/null) || return 1
        root=$(awk '/Root window id:/ { print $4 }' <<<"$info")
        parent=$(awk '/Parent window id:/ { print $4 }' <<<"$info")
        [[ "$parent" == "$root" ]] && break
        id=$parent
    done
    eval "$(xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X:/ { print "OX=" $NF }
        /Absolute upper-left Y:/ { print "OY=" $NF } /Width:/ { print "OW=" $NF } /Height:/ { print "OH=" $NF }
        /Border width:/ { print "BW=" $NF }')"
    OX=$((OX - BW)) OY=$((OY - BW)) OW=$((OW + 2 * BW)) OH=$((OH + 2 * BW))
}

# settled TITLE: the mapped window TITLE has the same outer rectangle in two readings 0.2 s apart (a window
# manager may still be placing it); sets OX OY OW OH.
settled() {
    local id first
    id=$(visible_windows "$1" | head -n 1)
    [[ -n "$id" ]] && outer_rect "$id" || return 1
    first="$OX $OY $OW $OH"
    sleep 0.2
    outer_rect "$id" && [[ "$first" == "$OX $OY $OW $OH" ]]
}

# expect_centred WHAT X Y W H OVER_X OVER_Y OVER_W OVER_H: the first rectangle stands centred over the second
# (the half of an odd difference truncated, never left of or above the screen's edge), within TOLERANCE.
expect_centred() {
    local what=$1 x=$2 y=$3 w=$4 h=$5 ox=$6 oy=$7 ow=$8 oh=$9
    local ex=$((ox + (ow - w) / 2)) ey=$((oy + (oh - h) / 2))
    ((ex < 0)) && ex=0
    ((ey < 0)) && ey=0
    local dx=$((x - ex)) dy=$((y - ey))
    if ((dx < -TOLERANCE || dx > TOLERANCE || dy < -TOLERANCE || dy > TOLERANCE)); then
        fail "$what: outer rectangle ${w}x$h at ($x, $y), expected centred at ($ex, $ey)"
    fi
    note "$what: outer rectangle ${w}x$h at ($x, $y), centred at ($ex, $ey)"
}

first_segment_lit() {
    shot bar
    [[ "$(client_pixel "$SHOT" $((5 + 3 + 29)) $((508 + 3 + 16)))" == "$BUTTON_HIGHLIGHT" ]]
}

play() {
    local sw=${E2E_SCREEN%%x*} sh=${E2E_SCREEN#*x}
    sh=${sh%%x*}
    start_app
    wait_for 10 "main window is mapped" find_main_window
    wait_for 8 "the main window's place settles" settled "Логикус"
    local mx=$OX my=$OY mw=$OW mh=$OH
    expect_centred "main window on the ${sw}x$sh desktop" $mx $my $mw $mh 0 0 "$sw" "$sh"

    wait_for 10 "start-up screen is shown" window_shown "$ABOUT"
    wait_for 8 "the start-up screen's place settles" settled "$ABOUT"
    expect_centred "start-up screen over the main window" $OX $OY $OW $OH $mx $my $mw $mh
    wait_for 15 "start-up screen closes by itself" window_gone "$ABOUT"

    # The answer box still reads "?": Enter answers wrongly with the widest explanation of the game.
    wait_for 10 "main window drawn" main_window_here
    xdotool windowfocus --sync "$WIN"
    xdotool key 1
    wait_for 8 "key 1 starts a game (first segment turns light)" first_segment_lit
    xdotool key Return
    wait_for 8 "the wrong answer's message opens" window_shown "$WRONG"
    wait_for 8 "the message's place settles" settled "$WRONG"
    shot message
    expect_centred "first message over the main window" $OX $OY $OW $OH $mx $my $mw $mh
    ((OW <= 800)) || fail "the message is $OW pixels wide outside, more than 800"
    if [[ -n "${CUT_TO_FIT:-}" ]]; then
        ((OW == 800)) || fail "the message is $OW pixels wide outside; cut to fit it must be exactly 800"
    fi
    note "message $OW pixels wide outside"
    xdotool key Return
    wait_for 8 "Enter closes the message" window_gone "$WRONG"
    console_silent
}

e2e_main
