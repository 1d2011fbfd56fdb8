local line = ""
for i = 1, 20 do
    line = line .. tostring(i * 37) .. ","
end
local total = 0
for k = 1, 20000 do
    local start = 1
    while true do
        local comma = string.find(line, ",", start, true)
        if comma == nil then break end
        total = total + tonumber(string.sub(line, start, comma - 1))
        start = comma + 1
    end
end
print(total)
