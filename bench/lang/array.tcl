# array: a procedure fills a local array with 300,000 integer keys, then
# sums the elements modulo 1,000,003.
proc array {} {
  for {set i 0} {$i < 300000} {incr i} { set a($i) $i }
  set sum 0
  for {set i 0} {$i < 300000} {incr i} { set sum [expr {($sum + $a($i)) % 1000003}] }
  return $sum
}
puts [array]
