# Turns the bench's records (one measurement a line, name-value pairs after
# the kind and the desktop size) into the table tools/bench/run prints.
function pairs(from,    i) {
  delete v
  for (i = from; i < NF; i += 2) v[$i] = $(i + 1)
}
# A measurement in the given format, or "-" where there is none.
function shown(x, format) { return (x == "" || x == "-" || x == "nan") ? "-" : sprintf(format, x) }

$1 == "cost" {
  cost[++costs] = sprintf("  %-13s %4d   %-7s %12.3f %12.3f %9.2f %10.1f", $2, $3, $4, $5, $6, $7, $8 / 1048576)
}
$1 == "frames" {
  pairs(3)
  frame[++frames] = sprintf("  %-16s %4d %6d %10d %6d %10.2f %6.3f %7d %7d %7.0f %6.1f %6.1f %6s %6.1f %8.1f %7s",
                 $2, v["dogs"], v["weight"], v["framecount"], v["frames"], v["mean_ms"],
                 v["framecount"] > 0 ? v["mean_ms"] / v["framecount"] : 0, v["min_ms"], v["max_ms"],
                 v["saver_wakes_per_s"], v["saver_cpu_pct"], v["wineserver_cpu_pct"], shown(v["x_cpu_pct"], "%.1f"),
                 v["saver_cpu_pct"] + v["wineserver_cpu_pct"] + v["x_cpu_pct"], v["vmhwm_kb"] / 1024,
                 shown(v["hop_key_ms"], "%.2f"))
  if (v["win_peak_kb"] != "" && v["vmhwm_kb"] != "") {
    d = v["win_peak_kb"] - v["vmhwm_kb"]; if (d < 0) d = -d
    if (d > peak_gap) peak_gap = d
    peaks++
  }
  if (shown(v["hop_key_ms"], "%s") != "-") hops++
}
$1 == "startup" {
  pairs(3)
  start[++starts] = sprintf("  %-13s %5d %10.1f %8.1f %8.1f %8.1f %7d", $2, v["n"], v["median_ms"], v["p95_ms"],
                            v["min_ms"], v["max_ms"], v["failed"])
}
$1 == "latency" {
  pairs(4)
  name = $3 == "move" ? "mouse move, 2 px" : $3 == "key" ? "key A" : $3 == "escape" ? "Escape" : \
         $3 == "click" ? "left button" : "(reference) ends itself"
  late[++lates] = sprintf("  %-24s %-16s %5d %9.2f %8.2f %8.2f %7d %7d", name, $2, v["n"], v["median_ms"],
                          v["p95_ms"], v["max_ms"], v["unseen"], v["failed"])
}

END {
  print ""
  print "Input to the end of the process: real X input (XTEST) in the intro's first pause, timed on the"
  print "host from sending it to the saver's process being gone (pidfd)."
  printf "  %-24s %-16s %5s %9s %8s %8s %7s %7s\n", "input", "desktop", "runs", "median ms", "p95 ms", "max ms",
         "unseen", "failed"
  for (i = 1; i <= lates; i++) print late[i]
  print "  \"unseen\": a move the saver did not see, sent again; \"ends itself\": a program with the"
  print "  saver's libraries noting the moment it calls ExitProcess, timed to its end the same way."

  print ""
  print "Frame period against FrameCount: frames reaching the X screen (bursts of DAMAGE, server time) over"
  print "6 s once the dogs hop; period: first to last frame over the gaps between; min and max single gaps to the"
  print "ms; ms/FC: period over FrameCount; wakes: the saver's voluntary context switches a second (every wait,"
  print "and every call that asks the wineserver or the X server); CPU in % of one CPU over the same 6 s (wsrv:"
  print "wineserver; X: the X servers, Xvfb and on two monitors the nested Xephyr; all: the three together);"
  print "peak: the saver's peak resident memory. On two monitors the frames are those of both monitors together."
  print "A frame that changes nothing on the screen (one dog wholly off it, before it turns) is not seen, so"
  print "with one dog the period reads a few per cent long, the more so the narrower the screen."
  printf "  %-16s %4s %6s %10s %6s %10s %6s %7s %7s %7s %6s %6s %6s %6s %8s %7s\n", "desktop", "dogs", "speed",
         "FrameCount", "frames", "period ms", "ms/FC", "min ms", "max ms", "wakes", "saver", "wsrv", "X", "all",
         "peak MiB", "key ms"
  for (i = 1; i <= frames; i++) print frame[i]
  if (hops > 0) print "  key ms: a key pressed while the dogs hop, to the end of the process (one per run)"
  if (peaks > 0)
    printf "  GetProcessMemoryInfo's peak working set from the Windows side: within %d KiB of VmHWM in all %d runs\n",
           peak_gap, peaks

  print ""
  print "Cost of one frame (ClearFrame, DrawSprite per dog, PresentFrame, on the saver's surfaces) against two"
  print "plain memcpy calls of a whole frame's bytes; medians of 15 alternating rounds of 24 frames."
  printf "  %-13s %4s   %-7s %12s %12s %9s %10s\n", "desktop", "dogs", "present", "frame ms", "2 copies ms",
         "ratio", "frame MiB"
  for (i = 1; i <= costs; i++) print cost[i]
  print "  memory: presented to a memory bitmap of the screen's size; window: to a window covering the desktop"
  print "  (under Wine both land in process memory; the hand-over to the X server comes later, asynchronously)."

  print ""
  print "Start-up: from CreateProcess to the first moment the whole desktop shows the background colour."
  printf "  %-13s %5s %10s %8s %8s %8s %7s\n", "desktop", "runs", "median ms", "p95 ms", "min ms", "max ms", "failed"
  for (i = 1; i <= starts; i++) print start[i]

  print ""
}
