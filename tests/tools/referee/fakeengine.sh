#!/usr/bin/env bash
# An engine that misbehaves as its first argument says, for the referee's
# tests; with any other word (forward) it forwards every line to the real
# engine, the tool named by CHECKERS_CLI, and its replies back, and answers
# each go with an info line first. If FAKE_ENGINE_PIDS names a file,
# it adds its process group there, so that a test can count the starts and
# see that nothing of them is left. The modes:
#   silent        reads nothing and answers nothing.
#   illegal       answers each go with the step 32-1.
#   crash         exits with status 3 at its third go.
#   segfault      kills itself with SIGSEGV at its third go.
#   close-output  closes its standard output at its third go and sleeps.
#   hang          answers no go, and sleeps.
#   slow          answers each go as the real engine does, a second late.
#   odd-info      writes info lines whose arguments do not read before each
#                 answer to go.
#   bad-done      answers each go with a done whose quote is not closed.
#   endless       answers a go with info words, never ending the line.
#   binary        answers each go with a control byte in its line.
#   refuse        answers each go with an error.
#   steps         answers each go with two steps at once.
#   twice         answers each go with the real engine's done line, twice.
#   crlf          ends every reply line with CR LF.
#   long-info     writes an info line of exactly 65536 bytes (without its
#                 newline) before each answer to go.
#   daemon        at its first go, starts a child that leaves its process
#                 group with setsid and sleeps, and a grandchild, orphaned
#                 at once, that does the same; it adds their ids to the file
#                 named by FAKE_ENGINE_DAEMONS, if set, and plays on.
#   param         lists a parameter, Hash, in its greeting before wait, and
#                 adds each set-param and init line it gets to the file
#                 named by FAKE_ENGINE_PARAMS.
#   once          plays as the real engine the first time it is started;
#                 any later start exits with status 1 before it reads a
#                 line. The file named by FAKE_ENGINE_ONCE marks the first.
mode=$1
[ -n "${FAKE_ENGINE_PIDS:-}" ] && awk '{ print $5 }' /proc/$$/stat >>"$FAKE_ENGINE_PIDS"
[ "$mode" = silent ] && exec sleep 1000
if [ "$mode" = once ]; then
  [ -e "$FAKE_ENGINE_ONCE" ] && exit 1
  : >"$FAKE_ENGINE_ONCE"
fi
coproc ENGINE { "$CHECKERS_CLI" engine; }

reply() {
  if [ "$mode" = crlf ]; then printf '%s\r\n' "$1"; else printf '%s\n' "$1"; fi
}

# Ids of sleepers in sessions of their own: a child, and a grandchild whose
# parent has already ended.
daemonize() {
  setsid sleep 1000 &
  local child=$!
  (
    setsid sleep 1000 &
    echo $! >>"${FAKE_ENGINE_DAEMONS:-/dev/null}"
  )
  echo "$child" >>"${FAKE_ENGINE_DAEMONS:-/dev/null}"
}

thinks=0
while IFS= read -r line; do
  case $line in
    go*)
      thinks=$((thinks + 1))
      case $mode in
        illegal) reply "done move=32-1"; continue ;;
        crash) [ "$thinks" -eq 3 ] && exit 3 ;;
        segfault) [ "$thinks" -eq 3 ] && { ulimit -c 0; kill -SEGV $$; } ;;
        close-output) [ "$thinks" -eq 3 ] && { exec >&-; sleep 1000 & wait; } ;;
        hang) sleep 1000 & wait; continue ;;
        endless) while :; do printf 'info nodes=1 '; done ;;
        binary) printf 'done move=22-18\001\n'; continue ;;
        refuse) reply 'error message="no"'; continue ;;
        steps) reply "done move=22x15x8"; continue ;;
        daemon) [ "$thinks" -eq 1 ] && daemonize ;;
        slow) sleep 1 ;;
        odd-info) printf '%s\n' 'info = x' 'info = €€' 'info string he said "hi' 'frob a="b' ;;
        bad-done) reply 'done move="22-18'; continue ;;
      esac
      if [ "$mode" = long-info ]; then printf 'info %065531d\n' 0; else reply "info depth=1"; fi ;;
    set-param*|init) [ "$mode" = param ] && echo "$line" >>"$FAKE_ENGINE_PARAMS" ;;
  esac
  echo "$line" >&"${ENGINE[1]}"
  case $line in
    hub)
      IFS= read -r reply <&"${ENGINE[0]}"; reply "$reply"
      [ "$mode" = param ] && reply "param name=Hash value=16 type=spin"
      IFS= read -r reply <&"${ENGINE[0]}"; reply "$reply" ;;
    init|ping) IFS= read -r reply <&"${ENGINE[0]}"; reply "$reply" ;;
    go*)
      IFS= read -r reply <&"${ENGINE[0]}"; reply "$reply"
      [ "$mode" = twice ] && reply "$reply" ;;
    quit) exit 0 ;;
  esac
done
