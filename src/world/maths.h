// The few functions of the C library's maths the world uses, the game's own: each host's
// library gives other last bits for some of their arguments (glibc even picks other versions
// by the processor it runs on), and a last bit is all a recorded game needs to go another way
// somewhere. These are made of additions, subtractions, multiplications and divisions alone,
// which every host rounds alike, so they give the same bits everywhere; they are within an
// ulp or two of the exact values. (fmod, floor and trunc are exact by definition, and stay.)
#pragma once

double mathsSin(double x);
double mathsCos(double x);
double mathsAtan(double x);
double mathsExp(double x);
