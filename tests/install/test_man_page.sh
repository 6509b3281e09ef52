#!/bin/sh
# The manual page renders without a warning and names every command and
# option the tool's own help lists.
set -eu
page=$1
tool=$2

warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
warnings="$warnings$(groff -man -ww -z "$page" 2>&1)"
if [ -n "$warnings" ]; then
  printf 'warnings rendering %s:\n%s\n' "$page" "$warnings"
  exit 1
fi

text=$(MANWIDTH=200 man -l "$page" 2>/dev/null)
help=$("$tool" --help)
commands=$(printf '%s\n' "$help" | sed -n '/^commands:/,/^$/p' | sed -n 's/^  \([a-z][a-z]*\) .*/\1/p')
options=$(printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*' | sort -u)
status=0
for word in $commands $options; do
  if ! printf '%s\n' "$text" | grep -q -- "$word"; then
    echo "the manual page does not mention $word"
    status=1
  fi
done
[ -n "$commands" ] && [ -n "$options" ] || { echo "no commands or options read from --help"; status=1; }
echo "$(echo $commands | wc -w) commands and $(echo $options | wc -w) options documented"
exit $status
