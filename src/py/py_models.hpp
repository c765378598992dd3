// The p-y model table: everything the engine knows about a soil or rock model code, in one row
// per code. The layer dispatch, the rock marks of the layer loop, the strength classes at layer
// interfaces, the printed-curve texts and the Not-a-Number messages all read this table. Adding
// a model is one file with its routine and one row here.
#pragma once
#include <string_view>

namespace mervik {

struct Run;

// What the layer loop does after the routine of a layer: mark the layer when a rock-like layer
// lies above it; mark it and then count it as rock-like; count it and then mark it; nothing.
enum class RockMarkRule { MarkIfRockAbove, MarkThenCount, CountThenMark, None };

// Class of a layer at an interface, for the strength there (1 cohesive, 2 cohesionless, 3 rock,
// 4 user-input curves, 5 elastic subgrade, 0 any other; by strength: cohesive when the strength
// at the interface is above 0, else cohesionless).
enum class StrengthClass { Other, Cohesive, Cohesionless, Rock, UserCurves, ElasticSubgrade, ByStrength };

// Model routine: layer L over the current node range, in the pass run.py.reportPass says.
using PyModelRoutine = void (*)(Run& run, int L);

struct PyModelRow {
    int code = 0;
    std::string_view name;              // the 8-character model name
    std::string_view longName;          // the name the input echo prints
    bool hasModel = false;              // false: no p-y model, the layer is passed over
    PyModelRoutine routine = nullptr;   // every code with a model has one
    RockMarkRule mark = RockMarkRule::None;
    StrengthClass strength = StrengthClass::Other;
    // Printed curve: model texts of plot records 7 and 8 and their layouts (stiff clay with free
    // water puts the loading, "static " or "cyclic ", before its record 8 text).
    std::string_view curveText, pointText;
    bool curveTextWithJ = false;        // record 7 worded "no. points on p-y curve no."
    bool pointTextWide = false;         // record 8 in the wide layout
    // Secant modulus Not-a-Number: runtime errors at the limiting modulus and at a computed
    // value (0: the model makes no test), the model's name in the message, and a heading of
    // the computed-value error that differs from the usual one.
    int nanLimitingError = 0, nanComputedError = 0;
    std::string_view nanText, nanComputedHeading;
    // A model without such errors that goes on with the modulus notes it in the message file.
    std::string_view nanNote;
};

// The row of a model name (with or without its padding); null for a name of no model code.
const PyModelRow* pyModelRow(std::string_view name);
// The row of layer L's model, through the run's model-name table.
const PyModelRow* pyModelRowOfLayer(const Run& run, int L);
// The row of a model code 1..20; null outside.
const PyModelRow* pyModelRowOfCode(int code);

// Model routines.
void pySoftClay(Run& run, int L);        // codes 1 and 15
void pyStiffClayWater(Run& run, int L); // code 2
void pyStiffClayDry(Run& run, int L);    // codes 3 and 4
void pySand(Run& run, int L);            // code 5
void pyApiSand(Run& run, int L);         // code 6
void pyLiquefiedSand(Run& run, int L);   // code 7
void pyWeakRock(Run& run, int L);        // code 8
void pyVuggyLimestone(Run& run, int L);  // code 9
void pyPiedmont(Run& run, int L);        // code 10
void pyLoess(Run& run, int L);           // code 12
void pyCementedSilt(Run& run, int L);    // code 11
void pyUserCurves(Run& run, int L);      // code 14
void pyElasticSubgrade(Run& run, int L); // code 13
void pyMassiveRock(Run& run, int L);     // code 16: checks the layer and ends the analysis

}  // namespace mervik
