# Sourced by the checks under Wine, which wait for what they check, never a
# fixed time: await SECONDS COMMAND... waits up to SECONDS for COMMAND to succeed.
await() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || { echo "gave up after ${limit} s waiting for: $*" >&2; return 1; }
    sleep 0.2
  done
}
