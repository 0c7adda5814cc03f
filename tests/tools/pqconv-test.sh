#!/bin/bash
# pqconv on UTF-8 input: detection, the table kept for UTF-8 output, the
# refusal and the references for the other codes. Usage: pqconv-test.sh PQCONV
pqconv=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
# A page with the mark, NO-BREAK SPACE, ©, 𠮷 and 日.
printf '\xEF\xBB\xBF<p>\xC2\xA0\xC2\xA9\xF0\xA0\xAE\xB7\xE6\x97\xA5</p>\r\n' > "$work/page.html"

# arguments | expected exit status | expected output, as printf text
cases=(
  "-g|0|UTF-8 BOM CRLF\n"
  "-t utf8|0|\xEF\xBB\xBF<p>\xC2\xA0\xC2\xA9\xF0\xA0\xAE\xB7\xE6\x97\xA5</p>\r\n"
  "-t same -l lf|0|\xEF\xBB\xBF<p>\xC2\xA0\xC2\xA9\xF0\xA0\xAE\xB7\xE6\x97\xA5</p>\n"
  "-t sjis|1|"
  "-t euc|1|"
  "-t sjis -r|0|<p>&#xA0;&#xA9;&#x20BB7;\x93\xFA</p>\r\n"
  "-t euc -r -l lf|0|<p>&#xA0;&#xA9;&#x20BB7;\xC6\xFC</p>\n"
)
for c in "${cases[@]}"; do
  IFS='|' read -r args status expected <<< "$c"
  # -g prints; the others write the output file, or nothing when they refuse.
  # shellcheck disable=SC2086
  if [ "$args" = "-g" ]; then "$pqconv" -g "$work/page.html" > "$work/out" 2> /dev/null
  else "$pqconv" $args -o "$work/out" "$work/page.html" 2> /dev/null; fi
  got=$?
  printf "$expected" > "$work/want"
  [ -f "$work/out" ] || : > "$work/out"
  if [ "$got" != "$status" ] || ! cmp -s "$work/out" "$work/want"; then
    echo "FAIL: pqconv $args: status $got (want $status)"; xxd "$work/out" | head -3
    failed=1
  fi
  rm -f "$work/out"
done
[ $failed = 0 ] && echo "pqconv cases passed"
exit $failed
