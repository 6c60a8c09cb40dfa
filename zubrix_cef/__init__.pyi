from zubrix_cef.startup import initialize as initialize
