#!/usr/bin/env bash
# A real mail program composes exactly the message sent from the window. NeoMutt, registered
# in a throwaway HOME as the handler for mail links through Debian's own neomutt.desktop
# (a terminal program: xdg-open runs it in $TERMINAL, here a detached tmux session), gets the
# link from the real program; its editor is a script that keeps a copy of the draft it is
# given, headers included. The draft's To, Cc, Bcc, Subject and body must be the window's.
# Usage: neomutt-e2e.sh <Ferravel executable> <folder for screenshots>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sample-mail.sh"
exe="$1"
artefacts="$2"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY BROWSER \
  TMUX EDITOR VISUAL MAIL MAILCAPS

desktop_file=/usr/share/applications/neomutt.desktop
command -v neomutt >/dev/null && [ -f "$desktop_file" ] || { echo "FAIL: NeoMutt is not installed" >&2; exit 1; }
command -v tmux >/dev/null || { echo "FAIL: tmux is not installed" >&2; exit 1; }

work="$(mktemp -d /tmp/ferravel-neomutt-e2e.XXXXXX)"
socket="$work/tmux.sock"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true
      tmux -S "$socket" kill-server 2>/dev/null || true
      rm -rf "$work"' EXIT
folder="$work/portable"
draft="$work/draft.txt"
export HOME="$work/home"
mkdir -p "$artefacts" "$HOME/Mail"

fail() {
  echo "FAIL: $*" >&2
  import -window root "$artefacts/neomutt-failed.png" 2>/dev/null || true
  tmux -S "$socket" capture-pane -p 2>/dev/null | grep -v '^$' >&2 || true
  cat "$work/out.txt" >&2 || true
  exit 1
}

# NeoMutt: straight to the editor with the headers in the draft; the editor keeps a copy and
# changes nothing, so NeoMutt then drops the unmodified message and ends by itself.
cat > "$work/keep-draft.sh" <<SCRIPT
#!/bin/sh
cp "\$1" '$draft.part' && mv '$draft.part' '$draft'
SCRIPT
chmod +x "$work/keep-draft.sh"
cat > "$HOME/.neomuttrc" <<RC
set editor="$work/keep-draft.sh"
set edit_headers=yes
set autoedit=yes
set abort_unmodified=yes
set folder=~/Mail
set record=""
set charset=utf-8
set send_charset=utf-8
RC
# The terminal xdg-open runs a terminal program in: "$TERMINAL -e PROGRAM ARGS...".
cat > "$work/terminal.sh" <<SCRIPT
#!/bin/sh
[ "\$1" = -e ] && shift
exec tmux -S '$socket' new-session -d -x 160 -y 48 -- "\$@"
SCRIPT
chmod +x "$work/terminal.sh"
export TERMINAL="$work/terminal.sh"
xdg-mime default neomutt.desktop x-scheme-handler/mailto
[ "$(xdg-mime query default x-scheme-handler/mailto)" = neomutt.desktop ] || fail "NeoMutt is not the mail handler"

write_sample_folder "$folder" "$exe"

start_window_manager
cd "$folder"
start_program "$work/out.txt"
send_sample

wait_until 30 test -s "$draft" || fail "NeoMutt composed no draft"
# The draft: headers, an empty line, the body. Line breaks of the body are the link's, CR LF.
headers="$(sed '/^$/q' "$draft" | grep -E '^(To|Cc|Bcc|Subject):' || true)"
expected_headers="$(printf 'To: %s\nCc:\nBcc:\nSubject: %s' "$sample_recipient" "$sample_subject")"
if [ "$headers" != "$expected_headers" ]; then
  diff <(printf '%s\n' "$expected_headers") <(printf '%s\n' "$headers") >&2 || true
  fail "the draft's headers differ (above: expected, received)"
fi
sed '1,/^$/d' "$draft" > "$work/body.txt"
sample_body > "$work/expected-body.txt"
if ! cmp -s "$work/expected-body.txt" "$work/body.txt"; then
  diff <(cat -A "$work/expected-body.txt") <(cat -A "$work/body.txt") >&2 || true
  fail "the draft's body differs (above, line by line: expected, received)"
fi
echo "draft headers:"
sed 's/^/  /' <<< "$headers"
echo "draft body: $(wc -l < "$work/body.txt") line breaks, as sent"

# No error box: NeoMutt took the link.
window_shown '^Ferravel$' && fail "an error box appeared"
quit_program
echo "PASS"
