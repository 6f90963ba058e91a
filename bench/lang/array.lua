-- array: a function fills a local table with 300,000 integer keys, then
-- sums the elements modulo 1,000,003.
local function array()
  local a = {}
  for i = 0, 299999 do a[i] = i end
  local sum = 0
  for i = 0, 299999 do sum = (sum + a[i]) % 1000003 end
  return sum
end
print(array())
