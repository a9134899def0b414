#!/usr/bin/env bash
# Draws the demo skin's pictures and the application icon with ImageMagick. The results are committed,
# so building and running the demo never needs this script: run it only after changing the design.
#
#   demo/skin/skins/FrameMask.bmp           main window outline, 900 x 600, 1 bit (black = window)
#   demo/skin/FrameSkins/Warn/*.jpg         warning dialog faces, 440 x 250
#   res/Dashwell.ico                        application icon, 16 to 256 px
set -euo pipefail
cd "$(dirname "$0")/.."

if command -v magick > /dev/null; then im=(magick); else im=(convert); fi

font_file() {
    local file
    file=$(fc-match -f '%{file}' "$1")
    [ -f "$file" ] || { echo "make-pictures: no font for '$1' (install fonts-dejavu-core)" >&2; exit 1; }
    echo "$file"
}
FONT_BOLD=$(font_file 'DejaVu Sans:bold')
FONT_BODY=$(font_file 'DejaVu Sans:book')

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

warn_dir=demo/skin/FrameSkins/Warn
mkdir -p demo/skin/skins "$warn_dir"

# Palette: near-black slate faces, one cyan-to-violet accent, white captions (the program draws button
# captions in white whatever the state, so every button face stays dark or saturated enough for it).
ACCENT_A='#22d3ee'
ACCENT_B='#8b5cf6'
TEXT_HEAD='#f1f4f9'
TEXT_BODY='#9aa5b8'

# ---------------------------------------------------------------------------------------------------
# Main window outline. Drawn at four times the size and scaled down before the threshold, so that the
# curves step smoothly: a region has no partial pixels.

W=900
H=600
"${im[@]}" -size $((W * 4))x$((H * 4)) xc:white -fill black -draw "scale 4,4 path '
    M 0,32 A 18,18 0 0 1 18,14
    L 296,14 C 308,14 312,0 324,0
    L 576,0 C 588,0 592,14 604,14
    L 882,14 A 18,18 0 0 1 900,32
    L 900,582 A 18,18 0 0 1 882,600
    L 18,600 A 18,18 0 0 1 0,582 Z'" \
    -filter Box -resize 25% -colorspace Gray -threshold 50% -type bilevel \
    BMP3:demo/skin/skins/FrameMask.bmp

# ---------------------------------------------------------------------------------------------------
# Warning dialog. Every face is 440 x 250: a title bar (the TEXT_TITLE caption is drawn by the program),
# the message with its symbol, and a footer that holds the buttons. The button rectangles here must
# match FrameButtons.xml.

DW=440
DH=250
BTN_H=34
BTN_Y=203
BTN_W=120
OK_X=164      # BUTTON_OK, BUTTON_OK_3 sits where BUTTON_CANCEL does
CANCEL_X=296  # BUTTON_CANCEL, BUTTON_CANCEL_2, BUTTON_OK_3
DANGER_X=24   # BUTTON_OK_2: the destructive choice stands apart from the safe one
DANGER_W=150

# The face without message and buttons.
face() {
    local out=$1
    "${im[@]}" -size ${DW}x${DH} gradient:'#1a1f2a'-'#0e1117' \
        \( -size 420x420 radial-gradient:'rgba(139,92,246,0.20)'-'rgba(139,92,246,0)' \) \
        -geometry -154-96 -composite \
        -fill 'rgba(255,255,255,0.035)' -draw "rectangle 1,3 $((DW - 2)),41" \
        -fill '#262d3b' -draw "rectangle 1,42 $((DW - 2)),42" \
        -fill 'rgba(0,0,0,0.28)' -draw "rectangle 1,190 $((DW - 2)),$((DH - 2))" \
        -fill '#232a37' -draw "rectangle 1,189 $((DW - 2)),189" \
        -fill none -stroke '#2e3648' -strokewidth 1 -draw "rectangle 0,0 $((DW - 1)),$((DH - 1))" \
        \( -size 3x${DW} gradient:"$ACCENT_B"-"$ACCENT_A" -rotate -90 \) -geometry +0+0 -composite \
        "$out"
}

# A button face of W x H: a rounded body inset by 2 px, with the margin left for the hover ring.
# button STYLE STATE W H OUT; STYLE primary|secondary|danger, STATE normal|over|down.
button() {
    local style=$1 state=$2 w=$3 h=$4 out=$5
    local from to border ring shift=0
    case "$style/$state" in
        primary/normal) from='#4f46e5' to='#7c3aed' border='rgba(255,255,255,0.10)' ring='' ;;
        primary/over) from='#6366f1' to='#9461f7' border='rgba(255,255,255,0.22)' ring='rgba(167,139,250,0.75)' ;;
        primary/down) from='#3a33c2' to='#5f23c4' border='rgba(0,0,0,0.25)' ring='' shift=1 ;;
        secondary/normal) from='#262d3b' to='#262d3b' border='#3a4457' ring='' ;;
        secondary/over) from='#313a4b' to='#313a4b' border='#5b6880' ring='rgba(148,163,184,0.45)' ;;
        secondary/down) from='#1a1f29' to='#1a1f29' border='#2c3444' ring='' shift=1 ;;
        danger/normal) from='#be123c' to='#e11d48' border='rgba(255,255,255,0.10)' ring='' ;;
        danger/over) from='#e11d48' to='#f43f5e' border='rgba(255,255,255,0.22)' ring='rgba(251,113,133,0.75)' ;;
        danger/down) from='#8f1033' to='#b0133c' border='rgba(0,0,0,0.25)' ring='' shift=1 ;;
        *) echo "make-pictures: no button $style/$state" >&2; exit 1 ;;
    esac
    local x1=$((w - 3)) y1=$((h - 3))
    "${im[@]}" -size "${w}x${h}" xc:none \
        \( -size "${h}x${w}" gradient:"$to"-"$from" -rotate -90 \
           \( -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 2,2 $x1,$y1 6,6" \) \
           -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
        -fill none -stroke "$border" -strokewidth 1 -draw "roundrectangle 2.5,2.5 $((x1)).5,$((y1)).5 6,6" \
        ${ring:+-stroke "$ring" -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 8,8"} \
        -stroke 'rgba(255,255,255,0.10)' -draw "line 8,$((3 + shift)) $((w - 9)),$((3 + shift))" \
        "$out"
}

# A round symbol with a glyph: symbol COLOUR GLYPH OUT (56 x 56).
symbol() {
    local colour=$1 glyph=$2 out=$3
    "${im[@]}" -size 56x56 xc:none \
        -fill "$colour" -draw "circle 28,28 28,2" \
        -fill '#141821' -draw "circle 28,28 28,5" \
        -fill "$colour" -font "$FONT_BOLD" -pointsize 28 -gravity center -annotate +0+1 "$glyph" \
        "$out"
}

# message FACE SYMBOL HEADLINE BODY OUT
message() {
    local face=$1 symbol=$2 headline=$3 body=$4 out=$5
    "${im[@]}" "$face" \
        "$symbol" -geometry +26+86 -composite \
        -font "$FONT_BOLD" -pointsize 16 -fill "$TEXT_HEAD" -annotate +100+98 "$headline" \
        \( -size 316x -background none -font "$FONT_BODY" -pointsize 12 -fill "$TEXT_BODY" \
           -interline-spacing 3 caption:"$body" \) -geometry +100+112 -composite \
        "$out"
}

# with_buttons FACE STATE LAYOUT OUT; LAYOUT one|two|danger (the three layout sets).
with_buttons() {
    local face=$1 state=$2 layout=$3 out=$4
    case "$layout" in
        one)
            button primary "$state" $BTN_W $BTN_H "$work/b1.png"
            "${im[@]}" "$face" "$work/b1.png" -geometry +$CANCEL_X+$BTN_Y -composite "$out" ;;
        two)
            button primary "$state" $BTN_W $BTN_H "$work/b1.png"
            button secondary "$state" $BTN_W $BTN_H "$work/b2.png"
            "${im[@]}" "$face" "$work/b1.png" -geometry +$OK_X+$BTN_Y -composite \
                "$work/b2.png" -geometry +$CANCEL_X+$BTN_Y -composite "$out" ;;
        danger)
            button danger "$state" $DANGER_W $BTN_H "$work/b1.png"
            button secondary "$state" $BTN_W $BTN_H "$work/b2.png"
            "${im[@]}" "$face" "$work/b1.png" -geometry +$DANGER_X+$BTN_Y -composite \
                "$work/b2.png" -geometry +$CANCEL_X+$BTN_Y -composite "$out" ;;
    esac
}

face "$work/face.png"

AMBER='#fbbf24'
CYAN=$ACCENT_A
VIOLET='#a78bfa'
ROSE='#fb7185'

# number|layout|symbol colour|glyph|headline|body
warnings=(
    "0|one|$AMBER|!|No device connected|Connect a Quor gaming device to this computer, then start Quor Gaming service again."
    "1|two|$CYAN|?|Apply the changes?|The new settings are written to the device and take effect at once."
    "2|two|$VIOLET|?|Discard the changes?|Settings that have not been applied are lost."
    "3|two|$AMBER|!|Update the firmware?|Keep the device plugged in until the update has finished. This takes about a minute."
    "4|two|$VIOLET|?|Delete this profile?|The profile with its lighting and key assignments is removed from the device."
    "5|danger|$ROSE|!|Reset to factory settings?|Every profile, macro and lighting effect stored on the device is erased. This cannot be undone."
    "9|two|$CYAN|?|Close Quor Gaming service?|Your devices keep their current settings."
)

pictures=()
for entry in "${warnings[@]}"; do
    IFS='|' read -r number layout colour glyph headline body <<< "$entry"
    symbol "$colour" "$glyph" "$work/symbol.png"
    message "$work/face.png" "$work/symbol.png" "$headline" "$body" "$work/message$number.png"
    with_buttons "$work/message$number.png" normal "$layout" "$work/Warn${number}.png"
    pictures+=("Warn${number}")
done
# Hover and pressed faces are shared by the warnings of one layout set: only the pieces under the
# buttons are ever shown from them.
for layout in one two danger; do
    for state in over down; do
        with_buttons "$work/face.png" "$state" "$layout" "$work/Warn_${layout}_${state}.png"
        pictures+=("Warn_${layout}_${state}")
    done
done

# JPEG keeps the gradients and the glow smooth, where a 256-colour palette shows bands. Full chroma
# resolution keeps the coloured symbols and the thin lines crisp.
rm -f "$warn_dir"/*.gif "$warn_dir"/*.jpg
for name in "${pictures[@]}"; do
    "${im[@]}" "$work/$name.png" -alpha off -strip -sampling-factor 1x1 -quality "${JPEG_QUALITY:-92}" \
        "$warn_dir/$name.jpg"
done

# ---------------------------------------------------------------------------------------------------
# Application icon: a Q ring in the accent gradient on a dark rounded tile.

"${im[@]}" -size 256x256 xc:none \
    \( -size 256x256 gradient:'#222a3b'-'#0b0e14' \
       \( -size 256x256 xc:black -fill white -draw 'roundrectangle 8,8 247,247 56,56' \) \
       -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
    -fill none -stroke 'rgba(255,255,255,0.10)' -strokewidth 3 -draw 'roundrectangle 9.5,9.5 246.5,246.5 55,55' \
    \( -size 256x256 -define gradient:angle=135 gradient:"$ACCENT_A"-"$ACCENT_B" \
       \( -size 256x256 xc:black -fill none -stroke white -strokewidth 30 -draw 'circle 124,122 124,58' \
          -strokewidth 30 -draw 'line 150,148 194,192' \) \
       -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
    "$work/icon256.png"
# Small sizes are drawn again with heavier strokes rather than scaled down, so the ring stays open.
"${im[@]}" -size 256x256 xc:none \
    \( -size 256x256 gradient:'#222a3b'-'#0b0e14' \
       \( -size 256x256 xc:black -fill white -draw 'roundrectangle 0,0 255,255 48,48' \) \
       -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
    \( -size 256x256 -define gradient:angle=135 gradient:"$ACCENT_A"-"$ACCENT_B" \
       \( -size 256x256 xc:black -fill none -stroke white -strokewidth 46 -draw 'circle 122,120 122,52' \
          -strokewidth 46 -draw 'line 150,148 206,204' \) \
       -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
    "$work/iconsmall.png"
for size in 16 24 32; do
    "${im[@]}" "$work/iconsmall.png" -filter Lanczos -resize ${size}x${size} "$work/icon$size.png"
done
"${im[@]}" "$work/icon256.png" -filter Lanczos -resize 48x48 "$work/icon48.png"
"${im[@]}" "$work/icon16.png" "$work/icon24.png" "$work/icon32.png" "$work/icon48.png" "$work/icon256.png" \
    -depth 8 res/Dashwell.ico

ls -l demo/skin/skins/FrameMask.bmp "$warn_dir"/*.jpg res/Dashwell.ico
