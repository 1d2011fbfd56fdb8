local acc = 0
for i = 1, 2000000 do
    local op = i % 8
    if op == 0 then acc = acc + 1
    elseif op == 1 then acc = acc - 1
    elseif op == 2 then acc = acc + 3
    elseif op == 3 then acc = acc ~ 5
    elseif op == 4 then acc = acc + op
    elseif op == 5 then acc = acc - 2
    elseif op == 6 then acc = acc & 0xFFFF
    else acc = acc + 7
    end
end
print(acc)
