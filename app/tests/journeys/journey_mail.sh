# The picture sent by e-mail: the mail server set to one on this computer in its dialog, the
# page's fields typed, "Enviar"; the message the server kept carries the words and the
# picture.
convert -size 150x100 xc:'rgb(200,40,40)' -size 150x100 xc:'rgb(40,40,200)' +append "BMP3:$WORK/two.bmp"
mkdir "$WORK/mail"
python3 "$here/../../../sharing/tests/smtp_sink.py" --out "$WORK/mail" > "$WORK/smtp.out" &
sink=$!
trap 'kill $sink 2>/dev/null' EXIT
for _ in $(seq 50); do grep -q '^PORT' "$WORK/smtp.out" && break; sleep 0.1; done
port=$(awk '/^PORT/ {print $2}' "$WORK/smtp.out")
start_program
open_picture "$WORK/two.bmp"
click 0 Compartilhar; on_screen 25
click 25 'E-mail'; on_screen 4

# The dialog's fields in their tab order: program, its "…", ask again, then the server's
# (security "Nenhuma", the first; user, password, and the keyring's check where it works).
click 4 'Servidor de e-mail'; wait_window 'Servidor de e-mail'
key Tab Tab Tab; type_text 127.0.0.1
key Tab ctrl+a; type_text "$port"
key Tab Home Tab Tab Tab
command -v secret-tool > /dev/null && key Tab
type_text ana@exemplo.com.br
key Return
sleep 0.5
grep -q "127.0.0.1" "$LUMIVISTA_CONFIG_DIR"/*.ini || fail "the server was not kept"

click 4 'Para:'; type_text bia@exemplo.com
click 4 'Assunto:'; type_text "Fotos da festa"
click 4 'Mensagem:'; type_text "Olha que bonito"
click 4 Enviar
wait_log '^mail ' 30 > /dev/null
# The program says the message went, in a box closed with its OK.
answer 'Lumivista 2000' Return
grep -q '^message Lumivista 2000: Mensagem enviada para bia@exemplo.com.$' "$log" || fail "no word that the message went"
wait_file "$WORK/mail/1.eml"
python3 - "$WORK/mail/1.eml" "$WORK/attached" > "$WORK/read.txt" <<'PY'
import email, email.policy, sys
message = email.message_from_binary_file(open(sys.argv[1], "rb"), policy=email.policy.default)
print("from:", message["From"]); print("to:", message["To"]); print("subject:", message["Subject"])
for part in message.walk():
    if part.get_content_disposition() == "attachment":
        open(sys.argv[2] + "." + part.get_filename().rsplit(".", 1)[-1].lower(), "wb").write(part.get_payload(decode=True))
    elif part.get_content_type() == "text/plain":
        print("body:", part.get_content().strip())
PY
grep -qx "from: ana@exemplo.com.br" "$WORK/read.txt" && grep -qx "to: bia@exemplo.com" "$WORK/read.txt" &&
  grep -qx "subject: Fotos da festa" "$WORK/read.txt" && grep -qx "body: Olha que bonito" "$WORK/read.txt" ||
  fail "the message: $(cat "$WORK/read.txt")"
attached=$(ls "$WORK"/attached.* 2>/dev/null | head -1)
[ -n "$attached" ] || fail "no picture attached"
[ "$(size_of "$attached")" = 300x100 ] && [ "$(differing "$attached" "$WORK/two.bmp" 5)" -lt 300 ] ||
  fail "the attached picture is not the one open"
