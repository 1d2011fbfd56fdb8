-- Module variables updated by a procedure called in a loop, as scripts keep their state.
total, calls = 0, 0
local function tally(amount)
    total = (total + amount) % 1000003
    calls = calls + 1
end
for i = 1, 1000000 do
    tally(i % 100)
end
print(total, calls)
