// One include, named by the probe's target: whether it builds shows what the target's
// include roots let it see.
#include PROBE_HEADER
