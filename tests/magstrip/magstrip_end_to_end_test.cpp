// End-to-end runs of the built magstrip.
