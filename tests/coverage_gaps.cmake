# Tests of behaviours that coverage measurement showed no other test reached.
listio_test(coverage_gaps_test)
