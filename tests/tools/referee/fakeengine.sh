#!/usr/bin/env bash
# An engine that misbehaves as its first argument says, for the referee's
# tests; otherwise it forwards every line to the real engine, the tool named
# by CHECKERS_CLI. If FAKE_ENGINE_PIDS names a file, it adds its process
# group there, so that a test can count the starts and see that nothing of
# them is left.
mode=$1
[ -n "${FAKE_ENGINE_PIDS:-}" ] && awk '{ print $5 }' /proc/$$/stat >>"$FAKE_ENGINE_PIDS"
[ "$mode" = silent ] && exec sleep 1000
coproc ENGINE { "$CHECKERS_CLI" engine; }
thinks=0
while IFS= read -r line; do
  case $line in
    go*)
      thinks=$((thinks + 1))
      case $mode in
        illegal) echo "done move=32-1"; continue ;;
        crash) [ "$thinks" -eq 3 ] && exit 3 ;;
        hang) sleep 1000 & wait; continue ;;
        endless) while :; do printf 'info nodes=1 '; done ;;
        binary) printf 'done move=22-18\001\n'; continue ;;
        refuse) echo 'error message="no"'; continue ;;
        steps) echo "done move=22x15x8"; continue ;;
      esac
      echo "info depth=1" ;;
  esac
  echo "$line" >&"${ENGINE[1]}"
  case $line in
    hub) IFS= read -r reply <&"${ENGINE[0]}"; echo "$reply"; IFS= read -r reply <&"${ENGINE[0]}"; echo "$reply" ;;
    init|ping|go*) IFS= read -r reply <&"${ENGINE[0]}"; echo "$reply" ;;
    quit) exit 0 ;;
  esac
done
