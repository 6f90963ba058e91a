fopen out.txt w
fputs out.txt "one\n" two
fclose out.txt
fopen out.txt r
x = fgets out.txt
write (x)
y = fgets out.txt
write (y)
fclose out.txt
fwrite log.txt a b
fclose log.txt
fopen out.txt r
fopen out.txt w
