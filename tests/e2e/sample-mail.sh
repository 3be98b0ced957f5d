# Sourced by the scripts that send one message through the real window to a real mail
# program and read back what it composed. The message tries what a link can get wrong: the
# URL's own delimiters, a "+", accents, text that looks like further header fields, spaces
# at the start of a line and a tab.
sample_subject='Prix & délais #2 à 50 % ? (1 + 1 = 2)'
sample_recipient='anne@exemple.test'
sample_message_lines=(
  'Bonjour Anne,'
  'Voici notre offre : 100 % garantie, délais #2 & suivants ?'
  '&cc=intrus@exemple.test'
  '&bcc=espion@exemple.test&subject=Remplacé'
  'Ligne accentuée : é è à ç ô Œ « guillemets » €'
  '  deux espaces devant, une tabulation	au milieu'
)
sample_signature_lines=('Jean Dupont' 'Service commercial')

# crlf_join LINE...: the lines joined by CR LF, with none after the last.
crlf_join() { local IFS=$'\n'; printf '%s' "$*" | sed 's/$/\r/' | head -c -1; }

# sample_body: the body the mail program must compose, line breaks as CR LF.
sample_body() {
  crlf_join "${sample_message_lines[@]}"
  printf '\r\n\r\n\r\n'
  crlf_join "${sample_signature_lines[@]}"
}

# write_sample_folder FOLDER EXE: a portable folder whose recipient list's second line is the
# recipient and whose only subject, chosen at start, carries the message and the signature.
write_sample_folder() {
  local folder="$1"
  mkdir -p "$folder"
  cp "$2" "$folder/Ferravel"
  printf 'Bruno Martin <bruno.martin@exemple.test>\r\nAnne Lefèvre <%s>\r\n' "$sample_recipient" > "$folder/EMAILS.TXT"
  printf '[FICHIER]\r\nEMAILS=%s/EMAILS.TXT\r\n[HAUTEUR]\r\nSIGN=110\r\n' "$folder" > "$folder/Ferravel.INI"
  printf '%s\r\n' "$sample_subject" > "$folder/OBJETS.TXT"
  crlf_join "${sample_message_lines[@]}" > "$folder/$sample_subject.MSGX"
  crlf_join "${sample_signature_lines[@]}" > "$folder/$sample_subject.SIGNX"
}

# send_sample: with the program started from that folder (start_program), sends to the
# second line: click it, "Envoyer", OK.
send_sample() {
  focus_window "$window"
  xdotool mousemove --window "$window" 100 92 click 1 # Anne Lefèvre
  sleep 0.4
  xdotool mousemove --window "$window" 140 428 click 1 # Envoyer
  wait_until 20 window_shown '^Confirmer$' || fail "no confirmation box"
  xdotool key --clearmodifiers Return
}
