#!/usr/bin/env bash
# Runs Dashwell on the bundled demo: builds the Windows preset, installs the program, the demo skin and
# the demo devices into a Wine prefix of the demo's own (build/windows/demo/prefix, never ~/.wine) and
# starts it. With DISPLAY set, Dashwell runs there until its window is closed. Without a display it runs
# on a private Xvfb, a screenshot is saved to build/windows/artifacts/demo.png, and the program is ended.
# Every run installs afresh: registry entries, files and the remembered device start from the demo state.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build="$root/build/windows"
exe="$build/app/Dashwell.exe"
module="$build/modules/sample/Setting.dll"
screenshot="$build/artifacts/demo.png"
title="Quor Gaming service"

say() { echo "run-demo: $*"; }
fail() {
    echo "run-demo: $*" >&2
    exit 1
}

bash scripts/deps.sh
cmake --preset windows > /dev/null
cmake --build --preset windows
[ -f "$exe" ] || fail "$exe was not built"

export WINEPREFIX="$build/demo/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
# The tests run Wine in the C locale too.
export LC_ALL=C LANG=C
# The host and its page modules are 64-bit and read the 64-bit registry view: regedit and reg must be
# the 64-bit programs, which the plain "wine" launcher does not start when 32-bit Wine is installed.
if [ -x /usr/lib/wine/wine64 ]; then
    wine64=/usr/lib/wine/wine64
elif command -v wine64 > /dev/null; then
    wine64=$(command -v wine64)
else
    fail "no 64-bit Wine loader (install wine64)"
fi
export WINELOADER="$wine64"

xvfb_pid=""
wine_started=""
cleanup() {
    if [ -n "$wine_started" ]; then
        wineserver -k 2> /dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2> /dev/null || true
        wait "$xvfb_pid" 2> /dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A desktop-like backdrop, so that the screenshot shows the window's outline.
set_backdrop() {
    local backdrop="$build/demo/backdrop.png"
    mkdir -p "$build/demo"
    convert -size 1280x800 gradient:'#3b4252'-'#1c2027' "$backdrop"
    display -window root "$backdrop" > /dev/null 2>&1 || true
}

start_xvfb() {
    local n
    for n in $(seq 95 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset keeps the backdrop when the last client (ImageMagick's display) goes.
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset > /dev/null 2>&1 < /dev/null &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2> /dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            set_backdrop
            return 0
        fi
        xvfb_pid=""
    done
    fail "no Xvfb display could be started"
}

headless=""
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    start_xvfb
    say "no display set: running on Xvfb $DISPLAY"
fi

wine_started=1
# A Dashwell left over from an earlier run would hold the single-instance mutex.
wineserver -k 2> /dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "creating the demo Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i > /dev/null 2>&1 || true
    wineserver -w
fi

w64() { "$wine64" "$@"; }
unix_path() { winepath -u "$1" 2> /dev/null; }

# --- Reset: the demo's registry keys, installed files and configuration files go first.
w64 reg delete 'HKLM\Software\Varnix\DaderuVivazo' /f > /dev/null 2>&1 || true
w64 reg delete 'HKCU\Software\Varnix\DaderuVivazo' /f > /dev/null 2>&1 || true
program_files="$WINEPREFIX/drive_c/Program Files"
appdata=$(unix_path "$(w64 cmd /c echo %APPDATA% | tr -d '\r')")
[ -d "$appdata" ] || fail "no application-data folder in the demo prefix ($appdata)"
rm -rf "$program_files/Quor" "$appdata/Quor"

# --- The program with its skin, as an installer lays them out.
install_dir="$program_files/Quor/Dashwell"
mkdir -p "$install_dir"
cp "$exe" "$install_dir/"
cp -R demo/skin/. "$install_dir/"

# --- The devices, from the registry file: a folder per device at its "Path"; Setting.dll for each device
# whose "Dll" is not empty. The warning dialog reads its pictures, and the first skinned button the
# strings file, from the folder of the device shown at that moment: each device folder has them too.
[ -f "$module" ] || say "no sample page module at $module: the devices will show empty pages"
devices_reg=demo/devices/demo-devices.reg
# One line "KEY|PATH|DLL" per device section of a REGEDIT4 file.
device_folders() {
    tr -d '\r' < "$1" | awk -F'"' '
        function flush() { if (key != "") print key "|" path "|" dll }
        /^\[.*\\DaderuVivazo\\/ {
            flush()
            key = $0
            sub(/^.*\\/, "", key)
            sub(/\]$/, "", key)
            path = ""
            dll = ""
        }
        $2 == "Path" { path = $4; gsub(/\\\\/, "\\", path) }
        $2 == "Dll" { dll = $4 }
        END { flush() }'
}
while IFS='|' read -r key path dll; do
    folder=$(unix_path "$path")
    [ -n "$folder" ] || fail "device $key: no folder for $path"
    mkdir -p "$folder/FrameSkins"
    cp -R demo/skin/FrameSkins/Warn "$folder/FrameSkins/"
    cp demo/skin/strings.xml "$folder/"
    if [ -n "$dll" ] && [ -f "$module" ]; then
        cp "$module" "$folder/Setting.dll"
    fi
    config="$appdata/Quor/$key"
    mkdir -p "$config"
    cp "demo/devices/$key/config.ini" "$config/config.ini"
done < <(device_folders "$devices_reg")

for reg in "$devices_reg" demo/devices/demo-plug.reg; do
    w64 regedit /S "$(winepath -w "$root/$reg")" > /dev/null 2>&1
done
wineserver -w
# regedit reports nothing: check that the devices are there in the 64-bit view.
listed=$(w64 reg query 'HKLM\Software\Varnix\DaderuVivazo' /reg:64 2> /dev/null | tr -d '\r' | grep -c "DaderuVivazo\\\\" || true)
[ "$listed" -gt 0 ] || fail "the demo devices are not in the 64-bit registry view"
say "installed Dashwell and $listed demo devices in $WINEPREFIX"

program='C:\Program Files\Quor\Dashwell\Dashwell.exe'
if [ -z "$headless" ]; then
    say "starting Dashwell on $DISPLAY; close its window to end the demo"
    w64 "$program" || true
    exit 0
fi

w64 "$program" > /dev/null 2>&1 < /dev/null &
shown=""
for _ in $(seq 100); do
    if xdotool search --onlyvisible --name "$title" > /dev/null 2>&1; then
        shown=1
        break
    fi
    sleep 0.2
done
# Give the page module time to draw.
sleep 3
mkdir -p "$(dirname "$screenshot")"
import -window root "$screenshot"
if [ -n "$shown" ]; then
    say "the window \"$title\" was shown; screenshot: $screenshot"
else
    say "the window \"$title\" did not appear within 20 s; screenshot of the display: $screenshot"
fi
