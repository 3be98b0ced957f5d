#!/bin/sh
# Makes a recording program the default mail handler (x-scheme-handler/mailto) of a
# throwaway HOME: every link the desktop hands over is appended to OUTFILE, byte for byte,
# followed by one line break (a percent-encoded link holds none of its own).
# Run the program under test with that HOME and without XDG_CONFIG_HOME / XDG_DATA_HOME.
# Usage: setup.sh HOME OUTFILE
set -eu
if [ $# -ne 2 ]; then
  echo "usage: $0 HOME OUTFILE" >&2
  exit 2
fi
home=$1
out=$2
apps="$home/.local/share/applications"
recorder="$home/.local/share/mail-recorder/record.sh"
case $home in
  *[!A-Za-z0-9/._-]*)
    # xdg-open splits the handler's command line on spaces and honours no quotes.
    echo "$0: HOME must be a plain path (letters, digits, / . _ -): $home" >&2
    exit 2 ;;
esac
mkdir -p "$apps" "$home/.config" "$(dirname "$recorder")"

# The output path goes into the recorder single-quoted, whatever characters it holds.
quoted_out="'$(printf '%s' "$out" | sed "s/'/'\\\\''/g")'"
cat > "$recorder" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >> $quoted_out
SCRIPT
chmod +x "$recorder"

cat > "$apps/rec.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Mail recorder
Exec=$recorder %u
MimeType=x-scheme-handler/mailto;
NoDisplay=true
DESKTOP

env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CURRENT_DESKTOP HOME="$home" \
  xdg-mime default rec.desktop x-scheme-handler/mailto
