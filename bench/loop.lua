local i = 0
local total = 0
local s = "x"
local t
while i < 999 do
  i = i + 1
  total = total + i
  t = "row " .. s
  if i > 500 then
    total = total - 1
  end
  io.write("line ", i, " total ", total, "\n")
end
io.write(total, "\n")
