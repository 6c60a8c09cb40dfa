import argparse
import logging
from typing import List, Optional

logger: logging.Logger

def parse_arguments(argv: Optional[List[str]]) -> argparse.Namespace: ...
def main(argv: Optional[List[str]] = ...) -> int: ...
