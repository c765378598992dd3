// The lateral analysis of LRFD load combinations: the distributed lateral loads of every load
// type at the pile nodes, the load case of a combination and the performance table that checks
// the largest moment of every combination and pile section against the factored capacity.
#pragma once

namespace mervik {

struct Run;

// Whether the load case being set up is an LRFD combination: a run with LRFD combinations,
// outside the extra cases of the pile-head stiffness matrix (which are built on the LOADING
// table).
bool isLrfdCase(const Run& run);

// Number of load cases of the run: the combinations in an LRFD run, else the LOADING cases.
int loadCaseLimit(const Run& run);

// Distributed lateral load q_t(k) of every load type t at every node from the loading groups'
// tables (mean over the node's tributary length), and their report block.
void computeTypeNodalLoads(Run& run);

// Factored distributed load of node k for combination c: the sum over the load types of the
// combination's load factor times q_t(k).
double combinationNodalLoad(const Run& run, int k, int c);

// Nodal distributed loads of the case of combination j (also the starting load term of the
// solver), after the type loads have been rebuilt and reported.
void setLrfdNodalLoads(Run& run, int j);

// Boundary values of the case of combination j when the case is an LRFD case: type 1 with the
// factored shear, moment and axial force. False (nothing set) otherwise.
bool selectLrfdCase(Run& run, int j);

// Table of the factored moment capacity against the largest moment of every combination and
// pile section, with warning 400 for every failing row and the closing count.
void writeLrfdPerformance(Run& run);

}  // namespace mervik
