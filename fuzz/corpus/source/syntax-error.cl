write ok
x = (1 +
