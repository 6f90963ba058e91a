when (1) { x = 1 / 0 }
when (1) { write still }
event 1
write after
