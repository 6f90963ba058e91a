-- regex: 500,000 matches of "[0-9]+ j" against a fixed text, counting the
-- non-empty results.
local function regex()
  local n = 0
  local s = "the quick brown fox 12345 jumps over"
  for i = 1, 500000 do
    local m = string.match(s, "%d+ j") or ""
    if m ~= "" then n = n + 1 end
  end
  return n
end
print(regex())
