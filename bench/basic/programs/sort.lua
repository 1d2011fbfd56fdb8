local n = 4000
local a = {}
local seed = 12345
for i = 1, n do
    seed = (seed * 1103 + 12345) % 65536
    a[i] = seed
end
for i = n - 1, 1, -1 do
    for j = 1, i do
        if a[j] > a[j + 1] then
            a[j], a[j + 1] = a[j + 1], a[j]
        end
    end
end
print(a[1] .. " " .. a[n])
