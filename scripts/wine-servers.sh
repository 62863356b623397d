# Sourced by the scripts that run Wine. wine-run leaves a wineserver running
# for each prefix it uses, which keeps later starts fast while a script runs;
# the ones the script started (for the project's prefixes only) are stopped
# when it ends, pass or fail, and ones that were already running are left.
project_prefix() {
  case "$1" in
    "${QUORVEL_WINEPREFIX:-}" | "${XDG_CACHE_HOME:-$HOME/.cache}"/quorvel-wine-*) return 0 ;;
  esac
  return 1
}
served_prefixes() {  # one line per prefix a wineserver now serves
  local pid
  for pid in $(pgrep wineserver); do  # one may end meanwhile: its file is then not there
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | sed -n 's/^WINEPREFIX=//p'
  done | sort -u
}
served_before=$(served_prefixes)
stop_started_servers() {
  local prefix
  while IFS= read -r prefix; do
    [ -n "$prefix" ] && project_prefix "$prefix" || continue
    grep -qxF -- "$prefix" <<<"$served_before" || WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done <<<"$(served_prefixes)"
}
trap stop_started_servers EXIT
