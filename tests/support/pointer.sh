# Sourced by the desktop and Wine gesture scripts: a user's gestures with
# the real pointer (xdotool). The caller defines `where WINDOW`, printing
# the window's place on the screen first ("X Y ..."), and pass/fail.

# double_click WINDOW DX DY: at window point (DX, DY), with the pointer
# there first so that the window is awake.
double_click() {
    local x y
    read -r x y _ < <(where "$1")
    xdotool mousemove $((x + $2)) $((y + $3)); sleep 0.3
    xdotool mousemove $((x + $2 + 1)) $((y + $3)); sleep 0.3
    xdotool click --repeat 2 --delay 80 1
}

# single_clicks WINDOW...: a click on each in turn, the pointer moved away
# after it; $glued counts the windows that moved with it.
single_clicks() {
    local window x y x2 y2 step
    glued=0
    for window in "$@"; do
        read -r x y _ < <(where "$window")
        xdotool mousemove $((x + 30)) $((y + 24)); sleep 0.2
        xdotool click 1; sleep 0.2
        for step in 1 2 3; do xdotool mousemove $((x + 30 + 40 * step)) $((y + 24 + 60 * step)); sleep 0.05; done
        sleep 0.4  # longer than a double-click: the next click is a new one
        read -r x2 y2 _ < <(where "$window")
        if [ "$x2 $y2" != "$x $y" ]; then
            glued=$((glued + 1))
            echo "note: after a click $window moved from $x,$y to $x2,$y2"
        fi
    done
}

# drag_clock CLOCK CPU PAUSE HOLD: presses on the clock and drags it by
# 100,200 in five steps PAUSE s apart, letting go HOLD s after the last;
# keeps where the clock ($cx $cy) and CPU 0 ($px $py) were.
drag_clock() {
    local step
    read -r cx cy _ < <(where "$1")
    read -r px py _ < <(where "$2")
    xdotool mousemove $((cx + 30)) $((cy + 15)); sleep 0.3
    xdotool mousedown 1; sleep "$3"
    for step in 1 2 3 4 5; do xdotool mousemove $((cx + 30 + 20 * step)) $((cy + 15 + 40 * step)); sleep "$3"; done
    sleep "$4"
    xdotool mouseup 1
}

# row_followed CLOCK CPU INI SETTLE: after drag_clock, the clock stands
# 100,200 further within 3 s, CPU 0 lines up behind it as before within
# SETTLE tenths of a second, and INI holds the clock's place in twips.
row_followed() {
    local want="$((cx + 100)) $((cy + 200))" cx2 cy2 px2 py2 saved
    for _ in $(seq 30); do read -r cx2 cy2 _ < <(where "$1"); [ "$cx2 $cy2" = "$want" ] && break; sleep 0.1; done
    if [ "$cx2 $cy2" = "$want" ]; then pass "the drag moved the clock by 100,200 to $cx2,$cy2"
    else fail "the drag by 100,200 left the clock at $cx2,$cy2 (from $cx,$cy)"; fi
    for _ in $(seq "$4"); do
        sleep 0.1
        read -r px2 py2 _ < <(where "$2")
        [ "$((px2 - cx2)) $((py2 - cy2))" = "$((px - cx)) $((py - cy))" ] && break
    done
    if [ "$((px2 - cx2)) $((py2 - cy2))" = "$((px - cx)) $((py - cy))" ]; then
        pass "CPU 0 lined up behind the clock again at $px2,$py2"
    else
        fail "CPU 0 is at $px2,$py2, not lined up behind the clock at $cx2,$cy2 (it was $((px - cx)),$((py - cy)) from it)"
    fi
    saved=$(grep -iE '^Pos[XY]9=' "$3" | tr -d '\r' | cut -d= -f2 | tr '\n' ' ')
    if [ "$saved" = "$((cx2 * 15)) $((cy2 * 15)) " ]; then pass "the clock's new place was saved in twips ($saved)"
    else fail "the saved place is '$saved', not the clock's $((cx2 * 15)) $((cy2 * 15))"; fi
}

# click_log_button BAR: a click on the main bar's second button, 13 pixels
# square at 17,8, which starts the log viewer.
click_log_button() {
    local x y
    read -r x y _ < <(where "$1")
    xdotool mousemove $((x + 23)) $((y + 14)); sleep 0.3
    xdotool click 1
}
