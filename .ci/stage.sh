# Sourced by run.sh and every script it runs, so that the log says in one
# shape where the time goes:
#   stage NAME COMMAND...   runs COMMAND, then prints "== stage NAME: N s"
# A stage that fails prints its line with ", failed" as the script stops, and
# the first script of a run prints "== total: N s" as it ends. The lines go to
# standard error: some scripts' standard output is read by the script above.
# Stages do not nest within one script; a script run by a stage has its own.
_stage_name=
_stage_start=0

stage() {
  _stage_name=$1 _stage_start=$SECONDS
  shift
  "$@"
  echo "== stage $_stage_name: $((SECONDS - _stage_start)) s" >&2
  _stage_name=
}

# The EXIT trap, also for a script that keeps a trap of its own:
#   trap 'status=$?; cleanup; stage_exit $status' EXIT
stage_exit() {
  local status=${1:-$?}
  [ -z "$_stage_name" ] || echo "== stage $_stage_name: $((SECONDS - _stage_start)) s, failed" >&2
  if [ "${AWARD_STAGE_TOTAL_BY:-}" = $$ ]; then
    echo "== total: $SECONDS s$([ "$status" -eq 0 ] || echo ", failed")" >&2
  fi
}

[ -n "${AWARD_STAGE_TOTAL_BY:-}" ] || export AWARD_STAGE_TOTAL_BY=$$
trap stage_exit EXIT
