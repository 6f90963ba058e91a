-- text: 1,000,000 times build "alpha=beta;gamma=<counter>", cut it at ";"
-- and at "=", compare the pieces, count the matches.
local function text()
  local n = 0
  for i = 0, 999999 do
    local s = "alpha=beta;gamma=" .. tostring(i)
    local p = string.find(s, ";", 1, true)
    local a = string.sub(s, 1, p - 1)
    local b = string.sub(s, p + 1)
    local c = string.sub(b, string.find(b, "=", 1, true) + 1)
    local k = string.sub(a, 1, string.find(a, "=", 1, true) - 1)
    if k == "alpha" and c == tostring(i) then n = n + 1 end
  end
  return n
end
print(text())
