"""A real browser copies a selection of a page, with two links and bold text in it, to the X
clipboard and
stays open to serve it until the file named by its second argument exists (at most 90 s).

Usage: browser_copy.py WORK_FOLDER DONE_FILE. Needs chromium, chromium-driver and Debian's
python3-selenium."""
import os
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

work, done = sys.argv[1], sys.argv[2]
options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--no-sandbox", "--no-first-run", "--disable-gpu", "--ozone-platform=x11",
                 "--window-position=0,420", "--window-size=1000,340",
                 "--user-data-dir=" + os.path.join(work, "chromium")):
    options.add_argument(argument)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get("data:text/html;charset=utf-8,<p id='p'>Pasted <b>from</b> a "
               "<a href='https://example.org/'>browser</a> and "
               "<a href='https://example.net/b?x=1%26y=2'>another</a></p>")
    driver.execute_script(
        "document.getSelection().selectAllChildren(document.getElementById('p'))")
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("c").key_up(Keys.CONTROL).perform()
    print("copied", flush=True)
    deadline = time.time() + 90
    while not os.path.exists(done) and time.time() < deadline:
        time.sleep(0.2)
finally:
    driver.quit()
