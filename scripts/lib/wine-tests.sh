# The Windows test suite under Wine, for scripts/windows --test.  Sourced after the build;
# uses QT_PREFIX, BUILD, DEPLOY, SETUP, CACHE, ROOT from there.
#
# Wine runs in a prefix of its own under the cache (never a person's ~/.wine), on an Xvfb
# of its own.  The only serial port any test opens is a COM port mapped through the
# registry to the pseudo-terminal of a progmz515-sim started here; the mapping is checked
# before anything opens it.  Wine passes no QT_* variable to a program, so the platform
# is given as "-platform offscreen" where no window is wanted.

WINE_PORT=COM5
WINE_PIDS=()

wine_cleanup() {
    local pid
    for pid in "${WINE_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

# Starts an Xvfb of our own and exports its DISPLAY.
start_xvfb() {
    local fdfile="$WINE_WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$WINE_WORK/xvfb.log" 2>&1 &
    WINE_PIDS+=($!)
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    [ -s "$fdfile" ] || fail "Xvfb did not start"
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
}

setup_wine() {
    export WINEPREFIX="$CACHE/wine64"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko installers at the first start: nothing here needs them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    WINE_WORK="$(mktemp -d "${TMPDIR:-/tmp}/progmz515-wine.XXXXXX")"
    trap 'wine_cleanup; rm -rf --one-file-system "$WINE_WORK"' EXIT
    start_xvfb
    if [ ! -f "$WINEPREFIX/.progmz515-ready" ]; then
        step "Making the Wine prefix $WINEPREFIX (once)"
        rm -rf --one-file-system "$WINEPREFIX"
        wineboot --init >"$WINE_WORK/wineboot.log" 2>&1 || { cat "$WINE_WORK/wineboot.log" >&2; fail "wineboot"; }
        wineserver -w
        touch "$WINEPREFIX/.progmz515-ready"
    fi
    # The DLLs of the test programs, which are not deployed: Qt's, yaml-cpp's and the
    # MinGW runtime.
    local dir
    WINEPATH=""
    for dir in "$QT_PREFIX/bin" ${YAML_CPP_BIN:+"$YAML_CPP_BIN"} \
               "$(dirname "$("$TRIPLET-g++-posix" -print-libgcc-file-name)")" "/usr/$TRIPLET/lib"; do
        WINEPATH="${WINEPATH:+$WINEPATH;}$(winepath -w "$dir" 2>/dev/null)"
    done
    export WINEPATH
}

# start_sim MODEL ARGS... : a simulator on a pseudo-terminal; sets SIM_PTY and SIM_PID.
start_sim() {
    local out="$WINE_WORK/sim.out"
    "$ROOT/build/sim/progmz515-sim" --model "$@" >"$out" 2>"$WINE_WORK/sim.err" &
    SIM_PID=$!
    WINE_PIDS+=("$SIM_PID")
    for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
    SIM_PTY="$(head -1 "$out")"
    [ -c "$SIM_PTY" ] || { cat "$WINE_WORK/sim.err" >&2; fail "the simulator gave no terminal"; }
}

stop_sim() {
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
}

# Maps $WINE_PORT to the simulator's terminal and proves the mapping before any program
# may open the port: Wine makes its dosdevices links from HKLM\Software\Wine\Ports when
# its server starts.
map_port() {
    wine reg add 'HKLM\Software\Wine\Ports' /v "$WINE_PORT" /t REG_SZ /d "$SIM_PTY" /f >/dev/null 2>&1 ||
        fail "could not write HKLM\\Software\\Wine\\Ports"
    # Wine gives the machine's serial lines (/dev/ttyS0, the console here) the first free
    # COM numbers.  COM1 is what the programmer opens by default: an empty value keeps it
    # unmapped, so that a default setting reaches nothing.  The console then takes the next
    # free number (COM2 here); nothing here opens any port but $WINE_PORT.
    wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "" /f >/dev/null 2>&1
    wineserver -k
    wineserver -w
    # Any start brings the server and its device manager up again.
    wine cmd /c exit >/dev/null 2>&1
    local link="$WINEPREFIX/dosdevices/${WINE_PORT,,}"
    for _ in $(seq 50); do [ "$(readlink "$link")" = "$SIM_PTY" ] && break; sleep 0.1; done
    [ "$(readlink "$link")" = "$SIM_PTY" ] ||
        fail "$WINE_PORT is $(readlink "$link" || echo unmapped), not $SIM_PTY: no test may open it"
    [ ! -L "$WINEPREFIX/dosdevices/com1" ] || fail "COM1 is mapped: $(readlink "$WINEPREFIX/dosdevices/com1")"
    echo "$WINE_PORT -> $SIM_PTY ($(cd "$WINEPREFIX/dosdevices" && for l in com*; do
        [ -L "$l" ] && printf '%s -> %s; ' "$l" "$(readlink "$l")"; done))"
}

# Runs a Windows program with a time limit; its output on stdout.
wine_run() {
    local limit="$1"; shift
    timeout "$limit" wine "$@"
}

# Runs a Qt Test program; its log on stdout, and its exit status, or 125 when it wrote no
# log at all (then what Wine said instead).  Under Wine the log Qt Test writes to a
# redirected stdout is lost, so it goes to a file.
wine_test() {
    local limit="$1" program="$2" log="$WINE_WORK/$(basename "$2" .exe).txt" rc=0
    shift 2
    rm -f "$log"
    wine_run "$limit" "$program" -o "$(winepath -w "$log"),txt" "$@" >"$log.wine" 2>&1 || rc=$?
    if [ ! -s "$log" ]; then
        echo "(no log: the program did not start, exit status $rc; Wine said:)"
        cat "$log.wine"
        return 125
    fi
    cat "$log"
    return "$rc"
}

unit_tests() {
    step "Unit tests under Wine"
    local t failed=0 start=$SECONDS
    for t in "$BUILD"/tst_*.exe; do
        [ "$(basename "$t")" = tst_comport.exe ] && continue
        # The tests find their data by its Linux path, which Wine reads on drive Z: when
        # the current folder is there.
        # A program that never started (seen once in a new prefix, its next start fine)
        # is Wine's hiccup, not a result: it gets one more start.
        local rc=0
        (cd "$ROOT" && wine_test 300 "$t") >"$WINE_WORK/unit.log" 2>&1 || rc=$?
        if [ "$rc" = 125 ]; then
            cat "$WINE_WORK/unit.log" >&2
            echo "$(basename "$t"): did not start; once more" >&2
            rc=0
            (cd "$ROOT" && wine_test 300 "$t") >"$WINE_WORK/unit.log" 2>&1 || rc=$?
        fi
        if [ "$rc" = 0 ]; then
            grep -E '^Totals:' "$WINE_WORK/unit.log" | sed "s|^|$(basename "$t" .exe): |"
        else
            cat "$WINE_WORK/unit.log" >&2
            echo "FAILED: $(basename "$t")" >&2
            failed=1
        fi
    done
    [ "$failed" = 0 ] || fail "unit tests under Wine"
    echo "unit tests: $((SECONDS - start)) s"
}

port_tests() {
    step "The serial port against progmz515-sim on $WINE_PORT"
    local image
    image="$(head -c 167 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    start_sim MZ515KA8 --image "$image" --version 77
    map_port
    PROGMZ_TEST_PORT="$WINE_PORT" PROGMZ_TEST_MODEL=MZ515KA8 PROGMZ_TEST_IMAGE="$image" \
        PROGMZ_TEST_VERSION=77 wine_test 300 "$BUILD/tst_comport.exe" ||
        fail "tst_comport"
    stop_sim
}

# A read and a write through the command-line program, as a user would type them.
cli_tests() {
    local cli="$DEPLOY/progmz515-cli.exe"
    if [ ! -f "$cli" ]; then
        echo "no progmz515-cli.exe in this build: skipped"
        return
    fi
    step "progmz515-cli.exe: a read and a write on $WINE_PORT"
    cli_read_write
}

# Read what the device holds into a .cf8 file; write the model's factory configuration
# (made by the same program) and read it back: the two files must be the same.
cli_read_write() {
    local image read="$WINE_WORK/read.cf8" made="$WINE_WORK/factory.cf8" back="$WINE_WORK/back.cf8"
    image="$(head -c 167 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    start_sim MZ515KA8 --image "$image" --version 77
    map_port
    local w
    w() { winepath -w "$1"; }
    wine_run 120 "$cli" read --port "$WINE_PORT" --model MZ515KA8 -o "$(w "$read")" ||
        fail "progmz515-cli.exe read"
    od -An -tx1 "$read" | tr -d ' \n' | grep -q "$image" || fail "the file read holds another image"
    # The text form's codec is a module beside the program: show loads it.
    wine_run 60 "$cli" show "$(w "$read")" >"$WINE_WORK/read.yaml" 2>"$WINE_WORK/show.err" ||
        { cat "$WINE_WORK/show.err" >&2; fail "progmz515-cli.exe show"; }
    grep -q '^format: progmz515/1' "$WINE_WORK/read.yaml" || fail "show printed no text form"
    wine_run 60 "$cli" defaults MZ515KA8 -o "$(w "$made")" || fail "progmz515-cli.exe defaults"
    wine_run 120 "$cli" write --port "$WINE_PORT" "$(w "$made")" || fail "progmz515-cli.exe write"
    wine_run 120 "$cli" read --port "$WINE_PORT" --model MZ515KA8 -o "$(w "$back")" ||
        fail "progmz515-cli.exe read after the write"
    cmp "$made" "$back" || fail "the device holds another configuration than the one written"
    stop_sim
    echo "read, write and read back through $WINE_PORT: the same configuration"
}

# A read and a write by progmz515-cli.exe through ser2net's RFC 2217 port on the loopback,
# in front of the simulator: Wine's sockets are the machine's.
cli_network_tests() {
    local cli="$DEPLOY/progmz515-cli.exe"
    [ -f "$cli" ] || return 0
    command -v ser2net >/dev/null || fail "ser2net is not installed (scripts/test installs it)"
    step "progmz515-cli.exe: a read and a write through ser2net (RFC 2217)"
    local image read="$WINE_WORK/net-read.cf8" made="$WINE_WORK/net-factory.cf8"
    local back="$WINE_WORK/net-back.cf8" port hex url server
    image="$(head -c 167 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    start_sim MZ515KA8 --image "$image" --version 77
    port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    printf '%s\n' "connection: &panel" \
        "    accepter: telnet(rfc2217),tcp,127.0.0.1,$port" \
        "    connector: serialdev,$SIM_PTY,9600n81,local" >"$WINE_WORK/ser2net.yaml"
    ser2net -n -u -c "$WINE_WORK/ser2net.yaml" -P "$WINE_WORK/ser2net.pid" \
        >"$WINE_WORK/ser2net.log" 2>&1 &
    server=$!
    WINE_PIDS+=("$server")
    # Listening, from the system's table: a probe connection would open the device.
    hex="$(printf '%04X' "$port")"
    for _ in $(seq 100); do grep -q ":$hex 00000000:0000 0A" /proc/net/tcp && break; sleep 0.1; done
    url="rfc2217://127.0.0.1:$port"
    wine_run 120 "$cli" read --port "$url" --model MZ515KA8 -o "$(winepath -w "$read")" ||
        fail "progmz515-cli.exe read through $url"
    od -An -tx1 "$read" | tr -d ' \n' | grep -q "$image" || fail "the file read holds another image"
    wine_run 60 "$cli" defaults MZ515KA8 -o "$(winepath -w "$made")" ||
        fail "progmz515-cli.exe defaults"
    wine_run 120 "$cli" write --port "$url" "$(winepath -w "$made")" ||
        fail "progmz515-cli.exe write through $url"
    wine_run 120 "$cli" read --port "$url" --model MZ515KA8 -o "$(winepath -w "$back")" ||
        fail "progmz515-cli.exe read back through $url"
    cmp "$made" "$back" || fail "the device holds another configuration than the one written"
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    stop_sim
    echo "read, write and read back through ser2net: the same configuration"
}

# The application data folder of the program under Wine, as a Linux path.
wine_appdata() {
    echo "$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Korvanta/ProgMZ515"
}

# Waits until the window's journal index has an entry of KIND with OUTCOME; prints that
# entry's file name.  The journal keeps every configuration read from or written to a
# device, so it shows what the window received and sent.
journal_entry() {
    local index="$1" kind="$2" outcome="$3" file=""
    for _ in $(seq 150); do
        file="$(python3 - "$index" "$kind" "$outcome" <<'PY' 2>/dev/null
import json, sys
index, kind, outcome = sys.argv[1:]
for line in open(index, encoding="utf-8"):
    e = json.loads(line)
    if e.get("kind") == kind and e.get("outcome") == outcome:
        print(e["file"])
PY
)" || true
        [ -n "$file" ] && { echo "$file" | tail -1; return 0; }
        sleep 0.2
    done
    return 1
}

# The real window under Wine on the Xvfb, as a person uses it: started on the port of its
# setting (COM5, the simulator's), "Прочитать" and then "Записать" clicked with the pointer,
# each checked in the journal and the simulator's log; a screenshot; then the settings it
# stored in the registry.
window_test() {
    step "The window under Wine: a read and a write on $WINE_PORT"
    local shot="$BUILD/window-wine.png" title="" image frames="$WINE_WORK/frames.log"
    image="$(head -c 167 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    start_sim MZ515KA8 --image "$image" --version 77 --log "$frames"
    map_port
    wine reg add 'HKCU\Software\Korvanta\ProgMZ515' /v comportname /t REG_SZ /d "$WINE_PORT" /f \
        >/dev/null 2>&1 || fail "could not store the port setting"
    local journal
    journal="$(wine_appdata)/journal"
    rm -rf --one-file-system "$journal"
    # Wine's GDI draws no text in Qt's line edits (the port box, and any QLineEdit, stood
    # empty while holding its text); Qt's DirectWrite engine, also a Windows one, draws it.
    wine "$DEPLOY/progmz515.exe" -platform windows:fontengine=directwrite \
        >"$WINE_WORK/window.log" 2>&1 &
    local pid=$!
    WINE_PIDS+=("$pid")
    local id=""
    for _ in $(seq 300); do
        id="$(xdotool search --name '^Программатор MZ-515' 2>/dev/null | head -1)" || true
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { cat "$WINE_WORK/window.log" >&2; fail "no window appeared"; }
    title="$(xdotool getwindowname "$id")"
    sleep 3 # let it paint
    # The window has a fixed layout without a frame here (no window manager): the centres
    # of "Прочитать" and "Записать" in it.
    xdotool mousemove --window "$id" 617 156 click 1
    local read
    read="$(journal_entry "$journal/index.jsonl" read "прочитано")" ||
        { import -window root "$shot"; fail "the window did not read the device (screenshot $shot)"; }
    od -An -tx1 "$journal/$read" | tr -d ' \n' | grep -q "$image" ||
        fail "the window read another image than the device holds"
    xdotool mousemove --window "$id" 617 196 click 1
    journal_entry "$journal/index.jsonl" written "записано" >/dev/null ||
        { import -window root "$shot"; fail "the window's write was not confirmed (screenshot $shot)"; }
    [ "$(wc -l <"$frames")" = 2 ] || fail "the device heard $(wc -l <"$frames") frames, not a read and a write"
    sleep 1
    import -window root "$shot"
    echo "window $title: read and wrote $WINE_PORT; screenshot $shot"
    kill "$pid" 2>/dev/null || true
    stop_sim
    wineserver -k
    wineserver -w
    rm -rf --one-file-system "$journal"
    # The settings store is the registry key, with the values the run stored.
    wine reg query 'HKCU\Software\Korvanta\ProgMZ515' >"$WINE_WORK/settings.txt" 2>&1 ||
        fail "no settings key in the registry"
    tr -d '\r' <"$WINE_WORK/settings.txt" | grep -E 'comportname|REG_SZ'
    grep -q "comportname.*$WINE_PORT" "$WINE_WORK/settings.txt" || fail "comportname not in the registry"
}

# Every file of the prefix's drive C but the temporary ones, to compare before and after.
drive_c_files() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | grep -v -i '/temp' | sort)
}

installer_test() {
    step "The installer under Wine: silent install, start, silent uninstall"
    local before="$WINE_WORK/before.txt" after="$WINE_WORK/after.txt" dir exe
    drive_c_files >"$before"
    wine_run 300 "$SETUP" /S || fail "the installer failed"
    wineserver -w
    dir="$WINEPREFIX/drive_c/Program Files/progmz515"
    exe="$dir/progmz515.exe"
    [ -f "$exe" ] || fail "nothing installed in $dir"
    wine reg query 'HKLM\Software\Classes\.cf8' | grep -q 'progmz515.cf8' || fail "no .cf8 association"
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\progmz515' \
        /v UninstallString >/dev/null || fail "no uninstaller registered"
    ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/"*.lnk
    # Started from where it was installed, on the offscreen platform from its own folder:
    # with the start-up probe it quits by itself (exit 0) once its window has painted, and
    # would otherwise run into the time limit.
    local out
    out="$(PROGMZ515_STARTUP_PROBE=1 wine_run 60 "$exe" -platform offscreen 2>&1)" ||
        { echo "$out" >&2; fail "the installed program did not start and paint"; }
    echo "$out" | grep -E '^first-paint-ns' || echo "started, painted and quit"
    # What the program leaves in use: the zone list beside itself (its folder is writable
    # here) and in the application data folder, and a journal entry there.
    local appdata journal
    appdata="$(wine_appdata)"
    journal="$appdata/journal/entry-of-the-test.cf8"
    local made=()
    [ -d "$(dirname "$appdata")" ] || made+=("$(dirname "$appdata")")
    [ -d "$appdata" ] || made+=("$appdata")
    [ -d "$appdata/journal" ] || made+=("$appdata/journal")
    mkdir -p "$(dirname "$journal")"
    echo "zones" >"$dir/Shlf.txt"
    echo "zones" >"$appdata/Shlf.txt"
    echo "configuration" >"$journal"
    wine_run 300 "$dir/uninstall.exe" /S || fail "the uninstaller failed"
    # The uninstaller copies itself away and runs from there; wait for it.
    wineserver -w
    # The journal is the user's work: kept.  Then nothing else may be left.
    [ -f "$journal" ] || fail "the uninstaller removed the journal"
    [ ! -e "$appdata/Shlf.txt" ] || fail "the uninstaller left the zone list"
    rm -f "$journal"
    local i
    for ((i = ${#made[@]} - 1; i >= 0; i--)); do rmdir "${made[i]}"; done
    drive_c_files >"$after"
    if ! diff -u "$before" "$after"; then fail "the uninstaller left files behind"; fi
    if wine reg query 'HKLM\Software\Classes\.cf8' >/dev/null 2>&1 ||
       wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\progmz515' >/dev/null 2>&1 ||
       wine reg query 'HKCU\Software\Korvanta\ProgMZ515' >/dev/null 2>&1; then
        fail "the uninstaller left registry keys behind"
    fi
    echo "installed, started and uninstalled; nothing left behind"
}

run_wine_tests() {
    local start=$SECONDS
    [ -x "$ROOT/build/sim/progmz515-sim" ] || {
        step "Building the Linux simulator (the device the Windows tests talk to)"
        ensure_packages "${BUILD_PACKAGES[@]}"
        configure build
        build build progmz515-sim
    }
    setup_wine
    unit_tests
    port_tests
    cli_tests
    cli_network_tests
    window_test
    installer_test
    step "Windows suite passed in $((SECONDS - start)) s"
}
