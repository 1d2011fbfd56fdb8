local n = 100
local a, b, c = {}, {}, {}
for i = 0, n - 1 do
    a[i], b[i], c[i] = {}, {}, {}
    for j = 0, n - 1 do
        a[i][j] = (i + j) / n
        b[i][j] = (i - j) / n
    end
end
for r = 1, 3 do
    for i = 0, n - 1 do
        local ai, ci = a[i], c[i]
        for j = 0, n - 1 do
            local sum = 0.0
            for k = 0, n - 1 do
                sum = sum + ai[k] * b[k][j]
            end
            ci[j] = sum
        end
    end
end
print(string.format("%.3f", c[10][20]))
