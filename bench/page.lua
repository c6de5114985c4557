local function escape(text)
  return (text:gsub('[ <>&"]', { [" "] = "&nbsp;", ["<"] = "&lt;", [">"] = "&gt;",
                                ["&"] = "&amp;", ['"'] = "&quot;" }))
end

io.write("Content-type: text/html\n\n")
local who = (os.getenv("QUERY_STRING") or ""):sub(6)
local title = "Guest book of " .. who
local greeting = "Hello, " .. who
greeting = greeting:sub(1, 7) .. "dear " .. greeting:sub(8)
local at = greeting:find("Hello", 1, true)
if at then greeting = greeting:sub(1, at - 1) .. "Howdy" .. greeting:sub(at + 5) end
io.write("<html>\n")
io.write("<head><title>", title, "</title></head>\n")
io.write("<body>\n")
io.write("<h1>", escape(title), "</h1>\n")
io.write("<p>", escape(greeting), "!</p>\n")
io.write("<p>", escape('Tom & Jerry say <hi> to "you"'), "</p>\n")
title = title:sub(7)
io.write("<p>", escape(title), "</p>\n")
local k = 0
io.write("<table>\n")
for _ = 1, 20 do
  k = k + 1
  local row = "Entry " .. k
  if k > 15 then row = row .. " (new)" end
  io.write("<tr><td>", k, "</td><td>", escape(row), "</td></tr>\n")
end
io.write("</table>\n")
io.write("<p>", escape("Rows: 20 & counting"), "</p>\n")
io.write("</body>\n")
io.write("</html>\n")
