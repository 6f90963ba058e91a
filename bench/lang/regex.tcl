# regex: 500,000 matches of "[0-9]+ j" against a fixed text, counting the
# non-empty results.
proc regex {} {
  set n 0
  set s "the quick brown fox 12345 jumps over"
  for {set i 0} {$i < 500000} {incr i} {
    set m ""
    regexp {[0-9]+ j} $s m
    if {$m ne ""} { incr n }
  }
  return $n
}
puts [regex]
