parse "mknum abc"
write next
mknum abc
