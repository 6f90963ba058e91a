-- loop: i * 7 % 13 summed for i from 0 to 4,999,999 inside a function.
local function loop()
  local sum = 0
  local i = 0
  while i < 5000000 do sum = sum + i * 7 % 13; i = i + 1 end
  return sum
end
print(loop())
