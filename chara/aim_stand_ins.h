#pragma once
// Operations of the characters that the aiming and search rules use and that other
// work builds; until then each is a small stand-in under its final name in
// aim_stand_ins.cpp.

// Value a against operand b by comparison operator 0 to 7 (=, !=, >=, <=, >, <,
// divisible, not divisible); any other operator is false.
bool CompareByOperator(int a, int b, int op);
