# loop: i * 7 % 13 summed for i from 0 to 4,999,999 inside a procedure.
proc loop {} {
  set sum 0
  for {set i 0} {$i < 5000000} {incr i} { set sum [expr {$sum + $i * 7 % 13}] }
  return $sum
}
puts [loop]
