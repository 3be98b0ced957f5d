#!/usr/bin/env bash
# A manual check, not part of the test command (the programs are heavy): sends one message
# through the real window to each of Thunderbird, Evolution and Claws Mail that is installed.
# Each is the desktop's handler for mail links through its own Debian .desktop file, in a
# throwaway HOME with just enough settings to skip its first-run assistant; once its compose
# window is open the script saves the message as a draft (Ctrl+S) and prints what the draft
# holds: To, Cc, Bcc, Subject and the body line by line, each compared with what was sent.
# Usage: tests/mail-programs.sh <Ferravel executable> [thunderbird|evolution|claws-mail ...]
# Screenshots go to $FERRAVEL_MAIL_CHECK_OUT (default /tmp/ferravel-mail-programs).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/e2e/program-lib.sh"
source "$here/e2e/sample-mail.sh"

if [ $# -lt 1 ]; then
  echo "usage: $0 <Ferravel executable> [thunderbird|evolution|claws-mail ...]" >&2
  exit 2
fi
exe="$(realpath "$1")"
shift
out="${FERRAVEL_MAIL_CHECK_OUT:-/tmp/ferravel-mail-programs}"
mkdir -p "$out"

# ---------------------------------------------------------------- one program, own display
if [ "${1:-}" = --inside ]; then
  program="$2"
  unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY \
    BROWSER DBUS_SESSION_BUS_ADDRESS
  work="$(mktemp -d /tmp/ferravel-mail-programs.XXXXXX)"
  export HOME="$work/home"
  mkdir -p "$HOME"
  # Every process started from here on carries this mark; at the end they are ended, and
  # nothing else.
  export FERRAVEL_MAIL_CHECK="$work"
  end_marked() {
    local pid
    for dir in /proc/[0-9]*; do
      pid="${dir#/proc/}"
      [ "$pid" = $$ ] && continue
      if { tr '\0' '\n' < "$dir/environ"; } 2>/dev/null | grep -qxF "FERRAVEL_MAIL_CHECK=$work"; then
        kill "$pid" 2>/dev/null || true
      fi
    done
  }
  trap 'end_marked; sleep 1; rm -rf "$work"' EXIT
  fail() {
    echo "  FAILED: $*"
    import -window root "$out/$program-failed.png" 2>/dev/null || true
    echo "  screenshot: $out/$program-failed.png"
    exit 1
  }

  # Some of them need a session bus; it lives in the throwaway HOME like the rest.
  if command -v dbus-daemon >/dev/null; then
    DBUS_SESSION_BUS_ADDRESS="$(dbus-daemon --session --fork --print-address)"
    export DBUS_SESSION_BUS_ADDRESS
  fi

  case "$program" in
    thunderbird)
      desktop=thunderbird.desktop
      # A profile with one account that never connects, started without its assistant.
      export XRE_PROFILE_PATH="$work/profile"
      mkdir -p "$XRE_PROFILE_PATH"
      cat > "$XRE_PROFILE_PATH/user.js" <<'PREFS'
user_pref("mail.accountmanager.accounts", "account1,account2");
user_pref("mail.accountmanager.defaultaccount", "account1");
user_pref("mail.accountmanager.localfoldersserver", "server2");
user_pref("mail.account.account1.identities", "id1");
user_pref("mail.account.account1.server", "server1");
user_pref("mail.account.account2.server", "server2");
user_pref("mail.identity.id1.fullName", "Essai");
user_pref("mail.identity.id1.useremail", "essai@exemple.test");
user_pref("mail.identity.id1.smtpServer", "smtp1");
user_pref("mail.identity.id1.compose_html", false);
user_pref("mail.server.server1.hostname", "localhost");
user_pref("mail.server.server1.type", "pop3");
user_pref("mail.server.server1.userName", "essai");
user_pref("mail.server.server1.name", "essai@exemple.test");
user_pref("mail.server.server1.login_at_startup", false);
user_pref("mail.server.server1.check_new_mail", false);
user_pref("mail.server.server2.hostname", "Local Folders");
user_pref("mail.server.server2.type", "none");
user_pref("mail.server.server2.userName", "nobody");
user_pref("mail.server.server2.name", "Local Folders");
user_pref("mail.smtpservers", "smtp1");
user_pref("mail.smtpserver.smtp1.hostname", "localhost");
user_pref("mail.smtpserver.smtp1.username", "essai");
user_pref("mail.smtp.defaultserver", "smtp1");
user_pref("mail.shell.checkDefaultClient", false);
user_pref("mailnews.start_page.enabled", false);
user_pref("mail.provider.suppress_dialog_on_startup", true);
user_pref("mail.rights.version", 1);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("app.update.auto", false);
PREFS
      draft_glob="$XRE_PROFILE_PATH/Mail/localhost/Drafts"
      ;;
    evolution)
      desktop=org.gnome.Evolution.desktop
      draft_glob="$HOME/.local/share/evolution/mail/local/.Drafts/cur/*"
      ;;
    claws-mail)
      desktop=claws-mail.desktop
      # One account that only sends, one MH mailbox, no spell checker to complain.
      mkdir -p "$HOME/.claws-mail" "$HOME/Mail"
      printf '[Account: 1]\naccount_name=essai@exemple.test\nis_default=1\nname=Essai\naddress=essai@exemple.test\nprotocol=6\nsmtp_server=localhost\nuser_id=essai\n' \
        > "$HOME/.claws-mail/accountrc"
      printf '[Common]\nenable_aspell=0\ncheck_while_typing=0\n' > "$HOME/.claws-mail/clawsrc"
      cat > "$HOME/.claws-mail/folderlist.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<folderlist>
	<folder type="mh" name="Mailbox" path="Mail" sort="0" collapsed="0">
		<folderitem type="normal" name="Mailbox" collapsed="0" mtime="0" new="0" unread="0" unreadmarked="0" marked="0" total="0" replied="0" forwarded="0" locked="0" ignore="0" watched="0" order="0" sort_key="date" sort_type="ascending" thread="1" />
	</folder>
</folderlist>
XML
      draft_glob="$HOME/Mail/draft/[0-9]*"
      ;;
  esac
  xdg-mime default "$desktop" x-scheme-handler/mailto
  [ "$(xdg-mime query default x-scheme-handler/mailto)" = "$desktop" ] || fail "$desktop is not the mail handler"

  folder="$work/portable"
  write_sample_folder "$folder" "$exe"
  start_window_manager
  cd "$folder"
  start_program "$work/out.txt"
  send_sample

  compose_shown() { window_shown "Prix & délais"; }
  wait_until 120 compose_shown || fail "no compose window"
  compose="$(first_window "Prix & délais")"
  echo "  compose window: $(xdotool getwindowname "$compose")"
  window_shown '^Ferravel$' && echo "  Ferravel showed an error box"
  sleep 3 # let it fill the fields
  import -window root "$out/$program-compose.png"
  echo "  screenshot: $out/$program-compose.png"

  focus_window "$compose"
  xdotool key --clearmodifiers ctrl+s
  # shellcheck disable=SC2086 # the glob is meant to expand
  draft_saved() { compgen -G "$draft_glob" >/dev/null && [ -s "$(compgen -G "$draft_glob" | tail -1)" ]; }
  wait_until 30 draft_saved || fail "no draft saved"
  sleep 1
  draft="$(compgen -G "$draft_glob" | tail -1)"

  SAMPLE_RECIPIENT="$sample_recipient" SAMPLE_SUBJECT="$sample_subject" SAMPLE_BODY="$(sample_body)" \
    /usr/bin/python3 - "$draft" <<'PYTHON'
import email, email.policy, mailbox, os, sys

path = sys.argv[1]
if os.path.basename(path) == "Drafts":  # an mbox: the last message
    raw = list(mailbox.mbox(path))[-1].as_bytes()
else:
    raw = open(path, "rb").read()
msg = email.message_from_bytes(raw, policy=email.policy.default)


def show(name, got, expected):
    mark = "same" if got == expected else "DIFFERENT, sent " + repr(expected)
    print(f"  {name}: {got!r} ({mark})")


show("To", str(msg.get("To", "")), os.environ["SAMPLE_RECIPIENT"])
show("Cc", str(msg.get("Cc", "")), "")
show("Bcc", str(msg.get("Bcc", "")), "")
show("Subject", str(msg.get("Subject", "")), os.environ["SAMPLE_SUBJECT"])

part = msg.get_body(preferencelist=("plain",))
print(f"  body part: {part.get_content_type()}; {part.get('Content-Type', '').split(';', 1)[-1].strip()}")
lines = part.get_content().replace("\r\n", "\n").split("\n")
if part.get_param("format") == "flowed":  # RFC 3676: undo the space-stuffing and soft breaks
    joined = []
    for line in lines:
        if line.startswith(" "):
            line = line[1:]
        if joined and joined[-1].endswith(" ") and joined[-1] != "-- ":
            joined[-1] += line
        else:
            joined.append(line)
    lines = joined
    print("  (format=flowed undone)")
sent = os.environ["SAMPLE_BODY"].split("\r\n")
dropped = 0
while lines and lines[-1] == "" and len(lines) > len(sent):
    lines.pop()
    dropped += 1
if dropped:
    print(f"  ({dropped} empty line(s) after the last one dropped: the draft ends with a line break)")
for i in range(max(len(lines), len(sent))):
    got = lines[i] if i < len(lines) else None
    expected = sent[i] if i < len(sent) else None
    mark = "=" if got == expected else "≠ sent " + repr(expected)
    print(f"  body {i + 1}: {got!r} {mark}")
PYTHON
  exit 0
fi

# ---------------------------------------------------------------- every program asked for
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=(thunderbird evolution claws-mail)
for program in "${programs[@]}"; do
  echo "== $program"
  case "$program" in
    thunderbird | evolution | claws-mail) ;;
    *) echo "  unknown program"; continue ;;
  esac
  if ! command -v "$program" >/dev/null; then
    echo "  not installed"
    continue
  fi
  xvfb-run -a -s "$FERRAVEL_XVFB_SCREEN" "$0" "$exe" --inside "$program" || true
done
