#!/usr/bin/env python3
"""A player taps a place on a phone-sized page; the umpire's page in a second
browser shows it marked, and the game file holds it.

Usage: share_browser_test.py BRINNOW_CLI CAMPAIGN OUT SCHEMA
Exits 77 (skipped) when Selenium or chromedriver is missing, saying why."""
import json, pathlib, shutil, subprocess, sys, time

try:
    from selenium import webdriver
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print('SKIPPED: python3-selenium is not installed; the browser test did not run.')
    sys.exit(77)


def browser(width, height, dark=False):
    options = webdriver.ChromeOptions()
    for flag in ('--headless', '--no-sandbox', '--disable-gpu', f'--window-size={width},{height}'):
        options.add_argument(flag)
    if dark:
        options.add_argument('--force-dark-mode')
    return webdriver.Chrome(options=options)


def marked(driver, force, ship, place):
    found = driver.find_elements(
        By.CSS_SELECTOR, f'.card[data-force="{force}"][data-ship="{ship}"] [data-place="{place}"]')
    return bool(found) and found[0].get_attribute('aria-pressed') == 'true'


# A script run in the umpire's page: a second device at the seat sends a
# request of each kind and keeps what it is sent.
EXCHANGE = """
const done = arguments[arguments.length - 1];
const socket = new WebSocket(`ws://${location.host}${location.pathname}ws`);
const heard = [];
socket.onmessage = (event) => {
  heard.push(JSON.parse(event.data));
  if (heard.length === 2) {
    socket.send(JSON.stringify({device: {name: "checker"}}));
    socket.send(JSON.stringify({mark: {force: 2, ship: "Moltke", places: ["sunk", "af1"]}}));
    socket.send(JSON.stringify({mark: {force: 9, ship: "Moltke", places: ["sunk"]}}));
    socket.send(JSON.stringify({"next-turn": {}}));
  }
  // Changes that arrive together may be written, and told, as one.
  const changes = heard.filter((message) => message.changed).map((message) => message.changed);
  const refused = heard.some((message) => message.refused);
  const turned = changes.some((change) => change.turn === 2);
  const sunk = changes.some((change) => change.ships.some((ship) => ship.name === "Moltke"));
  if (refused && turned && sunk) done(heard);
};
"""


# What the page's first load took: bytes over the network (the page, its
# script, style and card pictures; the WebSocket's messages aside) and the
# time from the navigation's start to the cards drawn.
FIRST_LOAD = """
const navigation = performance.getEntriesByType('navigation')[0];
const files = performance.getEntriesByType('resource');
return {bytes: files.reduce((sum, file) => sum + file.transferSize, navigation.transferSize),
        files: files.length + 1, ms: Math.round(performance.now())};
"""
FIRST_LOAD_REPORT = 'first load: {bytes} bytes in {files} files, cards drawn {ms} ms after the navigation began'


def check_messages(driver, schema_path):
    """Every kind of message the host sends validates against the schema."""
    try:
        import jsonschema
    except ImportError:
        print('the messages were not checked against their schema: python3-jsonschema is missing')
        return 0
    driver.set_script_timeout(10)
    heard = driver.execute_async_script(EXCHANGE)
    folder = pathlib.Path(schema_path).parent
    schemas = {s['$id']: s for s in (json.loads(p.read_text()) for p in folder.glob('*.schema.json'))}
    schema = json.loads(pathlib.Path(schema_path).read_text())
    registry_resolver = jsonschema.RefResolver(schema['$id'], schema, store=schemas)
    validator = jsonschema.Draft202012Validator(schema, resolver=registry_resolver)
    kinds = [next(iter(message)) for message in heard]
    # A refusal is sent at once; the changes once they are written.
    assert kinds[:2] == ['seat', 'game'] and kinds[2:].count('refused') == 1, kinds
    assert set(kinds[2:]) == {'changed', 'refused'}, kinds
    for message in heard:
        validator.validate(message)
    for bad in ({'changed': {'turn': 0}}, {'refused': 3}, {'mark': {'force': 1, 'ship': 'x'}}):
        assert not validator.is_valid(bad), bad
    print('every kind of message validates against docs/shared-table.schema.json')
    return 0


def main(cli, campaign, out, schema):
    if not shutil.which('chromedriver'):
        print('SKIPPED: chromedriver is not installed (chromium-driver); the browser test did not run.')
        return 77
    out = pathlib.Path(out)
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    game = out / 'dogger.json'
    subprocess.run([cli, 'game', 'new', campaign, 'Dogger Bank', '-o', str(game)], check=True)
    server = subprocess.Popen([cli, 'game', 'serve', str(game), '--listen', '127.0.0.1',
                               '--port', '0'], stdout=subprocess.PIPE, text=True)
    phone = umpire = None
    try:
        links = dict(server.stdout.readline().rstrip('\n').split('\t') for _ in range(3))
        phone, umpire = browser(390, 844), browser(1280, 900)
        started = time.monotonic()
        phone.get(links['force 1'])
        umpire.get(links['umpire'])
        place = '.card[data-ship="Tiger"] [data-place="box7"]'
        WebDriverWait(phone, 10, poll_frequency=0.01).until(
            lambda d: d.find_elements(By.CSS_SELECTOR, place))
        print(f'force page with its cards: {time.monotonic() - started:.2f} s with the browser\'s start')
        print(FIRST_LOAD_REPORT.format(**phone.execute_script(FIRST_LOAD)))
        phone.save_screenshot(str(out / 'phone.png'))
        assert not phone.find_elements(By.CSS_SELECTOR, '.card[data-force="2"]'), \
            "a force's page shows another force's cards"
        label = phone.find_element(By.CSS_SELECTOR, place).get_attribute('aria-label')
        assert label == 'Tiger: small box 7', label
        phone.find_element(By.CSS_SELECTOR, place).click()
        WebDriverWait(umpire, 10).until(lambda d: marked(d, 1, 'Tiger', 'box7'))
        WebDriverWait(phone, 10).until(lambda d: marked(d, 1, 'Tiger', 'box7'))
        # The umpire's log names the seat that marked, as the table window's does.
        logged = 'Turn 1 \u2014 TIGER: small box 7 (Force 1)'
        WebDriverWait(umpire, 10).until(lambda d: [
            line.get_attribute('textContent') for line in d.find_elements(By.CSS_SELECTOR, '#log li')
        ] == [logged])
        ships = json.loads(game.read_text(encoding='utf-8'))['ships']
        assert [(s['name'], s['marks']) for s in ships] == [('Tiger', ['box7'])], ships
        phone.save_screenshot(str(out / 'phone-marked.png'))
        print('a tap on the phone: marked on the umpire\'s page and in the game file')
        return check_messages(umpire, schema)
    finally:
        for driver in (phone, umpire):
            if driver:
                driver.quit()
        server.terminate()
        server.wait(10)


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
