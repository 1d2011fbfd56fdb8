local s = ""
for k = 1, 200 do
    s = ""
    for i = 1, 2500 do
        s = s .. string.char(65 + i % 26)
    end
end
print(#s, string.sub(s, 1000, 1004))
